// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/event/channel_group_dialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/view/texts.h"

namespace krnz::gui {

ChannelGroupDialog::ChannelGroupDialog(const TextLookup& texts, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("select_channels"));
    setWindowTitle(qtext(texts, "select_channels", "caption"));
    auto* text = new QLabel(qtext(texts, "select_channels", "text"), this);
    text->setObjectName(QStringLiteral("text"));
    text->setWordWrap(true);
    auto* c14 = new QPushButton(QStringLiteral("&1 - 4"), this);
    c14->setObjectName(QStringLiteral("c14"));
    c14->setDefault(true);
    auto* c58 = new QPushButton(QStringLiteral("&5 - 8"), this);
    c58->setObjectName(QStringLiteral("c58"));
    connect(c14, &QPushButton::clicked, this, [this] {
        m_choice = 1;
        accept();
    });
    connect(c58, &QPushButton::clicked, this, [this] {
        m_choice = 2;
        accept();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(c14);
    buttons->addWidget(c58);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(buttons);
    setMinimumWidth(360);
}

std::optional<int> ChannelGroupDialog::ask(const TextLookup& texts, QWidget* parent) {
    ChannelGroupDialog dialog(texts, parent);
    // The opening sequence shows the hourglass; the choice needs the normal pointer.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    dialog.exec();
    QApplication::restoreOverrideCursor();
    return dialog.choice();
}

}  // namespace krnz::gui
