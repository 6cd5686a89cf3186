// SPDX-License-Identifier: GPL-3.0-or-later
// The layout pass of the main window, zoom and scrolling.
#include <QAction>
#include <QComboBox>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QWindow>
#include <cmath>

#include "core/analysis/active_channels.h"
#include "core/common/value_format.h"
#include "gui/settings/options_dialog.h"
#include "gui/view/channel_info_panel.h"
#include "gui/view/cursor_controller.h"
#include "gui/view/graph_area.h"
#include "gui/view/main_window.h"
#include "gui/view/sample_info_panel.h"
#include "gui/view/scale_column.h"
#include "gui/view/session.h"
#include "gui/view/start_screen.h"
#include "gui/view/strip_drawing.h"
#include "gui/view/strip_widget.h"
#include "gui/view/texts.h"
#include "platform/colors.h"

namespace krnz::gui {
namespace {

void place(QWidget* widget, const view::Rect& r) {
    widget->setVisible(r.visible);
    if (r.visible) widget->setGeometry(r.x, r.y, r.width, r.height);
}

}  // namespace

void MainWindow::updateMetrics() {
    m_metrics = platform::screenMetrics(screen(), devicePixelRatioF());
    m_cursor->setMetrics(m_metrics);
}

QSize MainWindow::minimumWindowSize() const {
    return {view::twipsToPixels(view::kMinimumWidthTwips, m_metrics.twipsPerPixel),
            view::twipsToPixels(view::kMinimumHeightTwips, m_metrics.twipsPerPixel)};
}

void MainWindow::formResize() {
    if (m_busy || isMinimized()) return;
    m_laidOutSize = m_central->size();
    m_startScreen->setGeometry(m_central->rect());
    if (!m_session.hasEvent()) {
        m_startScreen->showWelcome();
        return;
    }
    m_busy = true;
    updateMetrics();
    const QSize minimum = minimumWindowSize();
    setMinimumSize(minimum);
    if (const auto corrected =
            view::minimumSizeCorrection({width(), height()}, {minimum.width(), minimum.height()})) {
        resize(corrected->width, corrected->height);
        m_busy = false;
        return;
    }

    const settings::Options& options = m_session.options();
    view::LayoutInputs in;
    in.innerWidth = m_central->width();
    in.innerHeight = m_central->height();
    in.toolbarOn = m_actions.mToolbar->isChecked();
    in.sampleInfoOn = m_actions.mSampleInfo->isChecked();
    in.channelInfoOn = m_actions.mChannelInfo->isChecked();
    in.toolbarHeight = m_actions.toolbar->sizeHint().height();
    in.sampleInfoHeight = m_samplePanel->preferredHeight();
    in.channelInfoHeight = m_channelPanel->preferredHeight();
    in.zoom = m_zoom.zoom;
    in.scrollBarWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    in.scaleColumnWidth = m_graphArea->scaleColumn().preferredWidth();
    for (int c = 0; c < kSlots; ++c)
        in.active[static_cast<std::size_t>(c)] = view::isActive(options, c);
    m_layout = view::layoutMainWindow(in);

    place(m_actions.toolbar, m_layout.toolbar);
    place(m_samplePanel, m_layout.sampleInfo);
    place(m_channelPanel, m_layout.channelInfo);
    place(m_graphArea, m_layout.graphArea);
    place(m_scrollBar, m_layout.scrollBar);
    m_graphArea->place(m_layout);
    m_channelPanel->place(m_layout);

    if (m_session.event().sample.dataLoaded) {
        StripSizes sizes;
        sizes.devicePixelRatio = m_metrics.devicePixelRatio;
        const double dpr = m_metrics.devicePixelRatio;
        for (std::size_t s = 0; s < kSlots; ++s)
            sizes.widths[s] = m_layout.graphs[s].visible
                                  ? static_cast<int>(roundHalfEven(m_layout.graphs[s].width * dpr))
                                  : 0;
        sizes.height = std::max(
            1, static_cast<int>(roundHalfEven(m_layout.graphArea.height * dpr * m_zoom.zoom)));
        m_session.layoutRows(sizes.height, m_metrics.twipsPerDevicePixel());
        DrawnStrips drawn = drawStrips(m_session.workspace(), sizes, m_zoom.zoom);
        for (int c = 0; c < kSlots; ++c)
            m_graphArea->strip(c).setPicture(std::move(drawn.images[static_cast<std::size_t>(c)]));
        std::vector<ScaleLabel> labels;
        labels.reserve(drawn.gridLines.size());
        for (const auto& line : drawn.gridLines)
            labels.push_back({line.row / dpr, qstr(line.label)});
        m_graphArea->scaleColumn().setGridLabels(std::move(labels));
        for (int c = 0; c < kSlots; ++c)
            m_channelPanel->setFullScale(c, settings::getManualScale(options, c));
        const int first = view::firstactivechannel(options, m_session.event().sample);
        m_graphArea->setBackground(platform::toQColor(
            options.slotOptions[static_cast<std::size_t>(first)].colors.bkColor));
        scrolled(m_scrollBar->value());
        m_session.setTimeScale(drawn.gridStepS);
        m_cursor->afterRedraw();
        if (m_optionsDialog->isVisible()) m_optionsDialog->loadFromModel();
    }
    if (!m_startScreen->isLoading()) m_startScreen->hide();
    m_busy = false;
}

void MainWindow::selectZoom(int zoom) {
    view::selectZoom(m_zoom, zoom);
    const int index = m_actions.zoomfaktorCombo->findData(zoom);
    if (index >= 0) m_actions.zoomfaktorCombo->setCurrentIndex(index);
    m_scrollBar->setPageStep(m_zoom.scroll.largeChange);
    m_scrollBar->setValue(0);
    formResize();
}

void MainWindow::scrolled(int value) {
    view::ScrollState scroll = m_zoom.scroll;
    scroll.value = value;
    m_zoom.scroll.value = value;
    const double top =
        view::scrolledTop(scroll, m_layout.scaleColumn.height, m_layout.graphArea.height);
    m_graphArea->setScrollTop(static_cast<int>(std::lround(top)));
    m_session.setVisibleRange({m_zoom.zoom, value, m_scrollBar->maximum()});
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    formResize();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Moved to a screen of another density: the strips are drawn again in its pixels.
    if (QWindow* handle = windowHandle(); handle && !m_watchingScreen) {
        m_watchingScreen = true;
        connect(handle, &QWindow::screenChanged, this, [this] {
            updateMetrics();
            setMinimumSize(minimumWindowSize());
            formResize();
        });
    }
    updateMetrics();
    setMinimumSize(minimumWindowSize());
    formResize();
}

}  // namespace krnz::gui
