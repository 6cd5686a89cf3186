// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/channel_info_panel.h"

#include <QLabel>
#include <QPainter>
#include <algorithm>

#include "core/view/time_grid.h"
#include "gui/view/texts.h"

namespace krnz::gui {
namespace {

constexpr int kLines = 7;  // channel/input, unit, trigger, peak, diff or dB, integ, frq
constexpr int kPad = 4;

}  // namespace

ScaleLine::ScaleLine(QWidget* parent) : QWidget(parent) {}

void ScaleLine::setFullScale(double fullScale) {
    m_fullScale = fullScale;
    update();
}

QSize ScaleLine::sizeHint() const {
    return {100, QFontMetrics(font()).height() + 4};
}

void ScaleLine::paintEvent(QPaintEvent*) {
    if (m_fullScale <= 0) return;
    QPainter painter(this);
    const view::ScaleLineTexts texts = view::scaleLineTexts(m_fullScale);
    // A few pixels in from the strip's borders so that neighbouring scales stay apart.
    const QRect r = rect().adjusted(4, 1, -5, 0);
    painter.setPen(palette().windowText().color());
    painter.drawText(r, Qt::AlignLeft | Qt::AlignTop, qstr(texts.left));
    painter.drawText(r, Qt::AlignHCenter | Qt::AlignTop, qstr(texts.centre));
    // The right text carries a blank in place of a sign; aligning right makes it invisible.
    painter.drawText(r, Qt::AlignRight | Qt::AlignTop, qstr(texts.right));
    painter.setPen(palette().mid().color());
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
}

ChannelInfoPanel::ChannelInfoPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("channelTxtBg"));
    for (int c = 0; c < kSlots; ++c) {
        const auto s = static_cast<std::size_t>(c);
        m_labels[s] = new QLabel(this);
        m_labels[s]->setObjectName(QStringLiteral("channelText%1").arg(c));
        m_labels[s]->setForegroundRole(QPalette::PlaceholderText);
        m_values[s] = new QLabel(this);
        m_values[s]->setObjectName(QStringLiteral("channelTextValue%1").arg(c));
        m_values[s]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        for (QLabel* l : {m_labels[s], m_values[s]}) {
            l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            l->setMargin(0);
        }
        m_scales[s] = new ScaleLine(this);
        m_scales[s]->setObjectName(QStringLiteral("chTxtScale%1").arg(c));
    }
    m_secondText = new QLabel(QStringLiteral("[s]"), this);
    m_secondText->setObjectName(QStringLiteral("secondText"));
}

void ChannelInfoPanel::setTexts(const std::array<std::vector<std::string>, kSlots>& labels,
                                const std::array<std::vector<std::string>, kSlots>& values) {
    for (std::size_t s = 0; s < kSlots; ++s) {
        m_labels[s]->setText(joinedLines(labels[s]));
        m_values[s]->setText(joinedLines(values[s]));
    }
}

void ChannelInfoPanel::setFullScale(int slot, double fullScale) {
    m_scales[static_cast<std::size_t>(slot)]->setFullScale(fullScale);
}

int ChannelInfoPanel::preferredHeight() const {
    return kPad + QFontMetrics(m_values[0]->font()).lineSpacing() * kLines + kPad +
           m_scales[0]->sizeHint().height();
}

void ChannelInfoPanel::place(const view::MainLayout& layout) {
    const int scaleHeight = m_scales[0]->sizeHint().height();
    const int textHeight = height() - scaleHeight - kPad;
    for (std::size_t s = 0; s < kSlots; ++s) {
        const view::Rect& block = layout.channelBlocks[s];
        if (!block.visible) {
            m_labels[s]->hide();
            m_values[s]->hide();
            m_scales[s]->hide();
            continue;
        }
        // Values start in the middle of the block, or further right when the labels need it
        // and the values still fit; labels that fit nowhere are cut rather than overwritten.
        const int labelsWidth = m_labels[s]->sizeHint().width();
        const int valuesWidth = m_values[s]->sizeHint().width();
        int valueLeft = block.width / 2;
        if (kPad + labelsWidth + kPad > valueLeft)
            valueLeft =
                std::max(valueLeft, std::min(kPad + labelsWidth + kPad, block.width - valuesWidth));
        m_labels[s]->setGeometry(block.x + kPad, kPad, std::max(0, valueLeft - 2 * kPad),
                                 textHeight);
        m_values[s]->setGeometry(block.x + valueLeft, kPad,
                                 std::max(0, block.width - valueLeft - 1), textHeight);
        m_scales[s]->setGeometry(block.x, height() - scaleHeight, block.width, scaleHeight);
        m_labels[s]->show();
        m_values[s]->show();
        m_scales[s]->show();
    }
    const int column = layout.scaleColumn.width;
    const QSize text = m_secondText->sizeHint();
    m_secondText->setGeometry((column - text.width()) / 2, height() - text.height(), text.width(),
                              text.height());
}

}  // namespace krnz::gui
