// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/media/play_channel_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/view/texts.h"

namespace krnz::gui {

PlayChannelDialog::PlayChannelDialog(const analysis::PlayChannelChoice& choice,
                                     const TextLookup& texts, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("select_play_channel"));
    setWindowTitle(qtext(texts, "play", "title"));
    auto* layout = new QVBoxLayout(this);
    const QString channel = qtext(texts, "krn", "channel");
    for (int c = 0; c < kSlots; ++c) {
        auto* option = new QRadioButton(channel + QStringLiteral(" %1").arg(c + 1), this);
        option->setObjectName(QStringLiteral("Option1"));
        option->setVisible(choice.offered[static_cast<std::size_t>(c)]);
        connect(option, &QRadioButton::toggled, this, [this, c](bool on) {
            if (on) m_chosen = c;
        });
        layout->addWidget(option);
        m_options[static_cast<std::size_t>(c)] = option;
    }
    if (choice.chosen >= 0) m_options[static_cast<std::size_t>(choice.chosen)]->setChecked(true);

    auto* buttons = new QHBoxLayout;
    m_ok = new QPushButton(qtext(texts, "option", "ok"), this);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(qtext(texts, "option", "cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cancel"));
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<int> PlayChannelDialog::ask(const analysis::PlayChannelChoice& choice,
                                          const TextLookup& texts, QWidget* parent) {
    PlayChannelDialog dialog(choice, texts, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.chosenChannel() < 0) return std::nullopt;
    return dialog.chosenChannel();
}

}  // namespace krnz::gui
