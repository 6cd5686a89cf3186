// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "gui/spectrum/spectrum_graph_widget.h"
#include "gui/spectrum/spectrum_window.h"
#include "platform/screen_metrics.h"

namespace krnz::gui {
namespace {

// Geometry of the window in twips, as its form was laid out.
constexpr double kMinWidthTwips = 4500;   // 300 pixels at 15 twips per pixel
constexpr double kMinHeightTwips = 3000;  // below this the controls are not laid out
constexpr double kHeadingTwips = 390;     // the `selected` heading above the graphs
constexpr double kRowGapTwips = 60;       // between the two rows of graphs
constexpr double kMaxFrqRowTwips = 315;   // the max-frequency boxes above each graph (630 for two)
constexpr double kMaxFrqTopTwips = 30;    // the combo box below its row's top
constexpr double kMaxFrqLabelTopTwips = 130;
constexpr int kMarginPx = 6;

}  // namespace

void SpectrumWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
}

void SpectrumWindow::layoutControls() {
    const double tpp = platform::screenMetrics(screen()).twipsPerPixel;
    auto px = [tpp](double twips) { return static_cast<int>(twips / tpp + 0.5); };
    setMinimumWidth(px(kMinWidthTwips));
    if (height() * tpp < kMinHeightTwips) return;

    // The command row at the bottom.
    const std::array<QWidget*, 6> commands{m_boll, m_back, m_logx, m_logy, m_print, m_save};
    int rowHeight = 0;
    for (QWidget* w : commands) rowHeight = std::max(rowHeight, w->sizeHint().height());
    const int rowTop = height() - kMarginPx - rowHeight;
    int x = kMarginPx;
    for (QWidget* w : commands) {
        const int w0 = w == m_save
                           ? rowHeight + 8
                           : std::max(w->sizeHint().width(), w == m_logx || w == m_logy ? 0 : 90);
        w->setGeometry(x, rowTop, w0, rowHeight);
        x += w0 + kMarginPx;
    }

    m_panel->setGeometry(0, 0, width(), std::max(rowTop - kMarginPx, 0));
    const int panelWidth = m_panel->width();
    const int heading = px(kHeadingTwips);
    m_selected->setGeometry(kMarginPx, 0, panelWidth - 2 * kMarginPx, heading);
    int comboHeight = 0;
    for (QComboBox* box : m_maxFrq) comboHeight = std::max(comboHeight, box->sizeHint().height());
    const int maxFrqRow = std::max(px(kMaxFrqRowTwips), comboHeight + px(kMaxFrqTopTwips));
    const int gap = px(kRowGapTwips);
    const int graphHeight = std::max((m_panel->height() - heading - gap - 2 * maxFrqRow) / 2, 1);
    const int half = panelWidth / 2;
    for (int g = 0; g < kSlots; ++g) {
        const auto s = static_cast<std::size_t>(g);
        const int left = g % 2 == 0 ? 0 : half;
        const int width = g % 2 == 0 ? half : panelWidth - half;
        const int top = heading + (g / 2) * (maxFrqRow + graphHeight + gap);
        QComboBox* box = m_maxFrq[s];
        QLabel* label = m_maxFrqL[s];
        const int boxWidth = box->sizeHint().width();
        const int boxLeft = left + width - kMarginPx - boxWidth;
        box->setGeometry(boxLeft, top + px(kMaxFrqTopTwips), boxWidth, comboHeight);
        const int labelWidth = label->sizeHint().width();
        label->setGeometry(boxLeft - kMarginPx - labelWidth, top + px(kMaxFrqLabelTopTwips),
                           labelWidth, label->sizeHint().height());
        m_graphs[s]->setGeometry(left, top + maxFrqRow, width, graphHeight);
    }
    // Where the upper graphs stand, clear of the frequency boxes.
    m_notice->setGeometry(kMarginPx, heading + maxFrqRow, panelWidth - 2 * kMarginPx, graphHeight);
}

}  // namespace krnz::gui
