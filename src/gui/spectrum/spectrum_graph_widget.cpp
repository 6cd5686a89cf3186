// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/spectrum/spectrum_graph_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "core/common/error.h"
#include "core/report/graph_print.h"
#include "core/spectrum/graph_texts.h"
#include "gui/spectrum/pixel_index_table.h"
#include "gui/view/texts.h"
#include "platform/painter_page_target.h"
#include "platform/screen_metrics.h"

namespace krnz::gui {
namespace {

const QColor kCrossHair(0, 0, 160);
// The save button's distance from the control's right edge.
constexpr int kSaveFromRight = 35;

bool mappable(const spectrum::GraphSetup& g) {
    return g.right != g.left && g.top != g.bottom;
}

}  // namespace

SpectrumGraphWidget::SpectrumGraphWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The cross-hair reads the curve wherever the mouse is, without a button held.
    setMouseTracking(true);
    m_save = new QToolButton(this);
    m_save->setObjectName(QStringLiteral("save"));
    m_save->setText(QStringLiteral("..."));
    m_save->setAutoRaise(true);
    connect(m_save, &QToolButton::clicked, this, &SpectrumGraphWidget::saveRequested);
}

void SpectrumGraphWidget::setGraph(spectrum::GraphSetup setup) {
    if (setup.x.size() != setup.y.size())
        throw Error(kErrProgram, "The graph's x and y arrays differ in length.");
    m_graph = std::move(setup);
    m_hasData = true;
    m_emptyText.clear();
}

void SpectrumGraphWidget::clear(const QString& why) {
    m_graph = {};
    m_hasData = false;
    m_emptyText = why;
    hideCrossHair();
}

void SpectrumGraphWidget::hideCrossHair() {
    m_crossHairShown = false;
    m_rowKnown = false;
    m_lastMouse = QPoint(-1, -1);
    m_xReadout.clear();
    m_yReadout.clear();
    m_xShown.clear();
    m_yShown.clear();
}

QString SpectrumGraphWidget::heading() const {
    return qstr(spectrum::graphHeading(stdstr(m_yUnit), m_graph.ch, stdstr(m_maxampat),
                                       m_graph.maxAmpFreq));
}

void SpectrumGraphWidget::invalidate() {
    const qreal ratio = devicePixelRatioF();
    const double tpp = platform::screenMetrics(screen(), ratio).twipsPerPixel;
    m_picture = QPixmap(QSize(std::max(width(), 1), std::max(height(), 1)) * ratio);
    m_picture.setDevicePixelRatio(ratio);
    m_picture.fill(palette().color(QPalette::Window));
    m_plot = QRect();
    m_map = {};
    m_pixelIndex.clear();

    if (m_hasData) {
        report::PrintedGraph drawn;
        drawn.setup = &m_graph;
        drawn.xUnit = stdstr(m_xUnit);
        drawn.yUnit = stdstr(m_yUnit);
        drawn.maxampatText = stdstr(m_maxampat);
        drawn.wholePixels = true;
        drawn.minPlotPixels = kMinPlotSize;
        const report::PageRect area{kPadding * tpp, kPadding * tpp, (width() - 2 * kPadding) * tpp,
                                    (height() - 2 * kPadding) * tpp};
        QPainter p(&m_picture);
        platform::PainterPageTarget target(p, QSizeF(width() * tpp, height() * tpp), tpp);
        const report::GraphLayout layout = report::layoutGraph(target, drawn, area);
        m_plot = QRect(static_cast<int>(std::lround(layout.plot.left / tpp)),
                       static_cast<int>(std::lround(layout.plot.top / tpp)), layout.map.width,
                       layout.map.height);
        m_map = layout.map;
        p.fillRect(m_plot, Qt::white);
        // Lines on whole pixels then cover their pixel rather than half of two.
        p.translate(0.5, 0.5);
        target.startDoc();
        report::printGraph(target, drawn, area);
        target.endDoc();
        if (mappable(m_graph)) m_pixelIndex = gui::pixelIndexTable(m_graph.x, m_map);
    } else if (!m_emptyText.isEmpty()) {
        QPainter p(&m_picture);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(rect().adjusted(kPadding, kPadding, -kPadding, -kPadding),
                   Qt::AlignCenter | Qt::TextWordWrap, m_emptyText);
    }

    // A cross-hair outlives new data: it reads the new curve at its column.
    if (m_crossHairShown) {
        const QPoint at = m_crossHair;
        m_lastMouse = QPoint(-1, -1);
        mouseAt(at);
    }
    update();
}

void SpectrumGraphWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_picture.isNull()) {
        p.fillRect(rect(), palette().color(QPalette::Window));
        return;
    }
    p.drawPixmap(0, 0, m_picture);
    if (m_crossHairShown) drawCrossHair(p);
}

QImage SpectrumGraphWidget::picture() {
    const bool shown = m_save->isVisible();
    m_save->hide();
    const QImage image = grab().toImage();
    m_save->setVisible(shown);
    return image;
}

bool SpectrumGraphWidget::crossHairLinesShown() const {
    return m_crossHairShown && m_rowKnown && !m_xReadout.isEmpty() && m_crossHair.y() >= 0 &&
           m_crossHair.y() < m_plot.height();
}

void SpectrumGraphWidget::drawCrossHair(QPainter& p) {
    const QFontMetrics fm(font());
    p.setPen(QPen(kCrossHair, 0));
    const int x = m_plot.left() + m_crossHair.x();
    p.drawLine(x, m_plot.top(), x, m_plot.bottom());
    if (m_rowKnown && m_crossHair.y() >= 0 && m_crossHair.y() < m_plot.height()) {
        const int y = m_plot.top() + m_crossHair.y();
        p.drawLine(m_plot.left(), y, m_plot.right(), y);
    }
    if (m_xShown.isEmpty()) return;
    // Beside the vertical line, on the side with room; the y readout above the horizontal line.
    const int xw = fm.horizontalAdvance(m_xShown) + 4;
    const int xLeft = x + 4 + xw <= m_plot.right() ? x + 4 : x - 4 - xw;
    const QRect xl(xLeft, std::max(m_plot.top(), m_plot.bottom() - kReadoutOffset), xw,
                   fm.height());
    const int yw = fm.horizontalAdvance(m_yShown) + 4;
    // A point above or below the plot still gets its readout, at the plot's edge.
    const int row = std::clamp(m_crossHair.y(), 0, m_plot.height() - 1);
    int yTop = m_plot.top() + row - fm.height() - 2;
    if (yTop < m_plot.top()) yTop = m_plot.top() + row + 2;
    yTop = std::min(yTop, m_plot.bottom() - fm.height());
    const QRect yl(
        std::min(m_plot.left() + kReadoutOffset, std::max(m_plot.left(), m_plot.right() - yw)),
        yTop, yw, fm.height());
    for (const auto& [box, text] : {std::pair{xl, m_xShown}, std::pair{yl, m_yShown}}) {
        p.fillRect(box, QColor(255, 255, 225));
        p.setPen(kCrossHair);
        p.drawText(box, Qt::AlignCenter, text);
    }
}

void SpectrumGraphWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_save->adjustSize();
    m_save->move(width() - kSaveFromRight, 2);
    invalidate();
}

void SpectrumGraphWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) mouseAt(event->position().toPoint() - m_plot.topLeft());
}

void SpectrumGraphWidget::mouseMoveEvent(QMouseEvent* event) {
    mouseAt(event->position().toPoint() - m_plot.topLeft());
}

void SpectrumGraphWidget::mouseAt(QPoint pos) {
    if (pos.x() < 0 || pos.x() >= m_plot.width() || pos.y() < 0 || pos.y() >= m_plot.height())
        return;
    if (pos == m_lastMouse || m_mouseBusy) return;
    m_lastMouse = pos;
    m_mouseBusy = true;
    m_crossHairShown = true;
    m_crossHair.setX(pos.x());
    const auto column = static_cast<std::size_t>(pos.x());
    if (column < m_pixelIndex.size() && m_pixelIndex[column] >= 0 && mappable(m_graph)) {
        const auto i = static_cast<std::size_t>(m_pixelIndex[column]);
        // The row the curve is drawn in at that point.
        m_crossHair.setY(static_cast<int>(m_map.py(spectrum::drawnY(m_graph, i))));
        m_rowKnown = true;
        const auto [x, y] = spectrum::pointReadouts(m_graph, i);
        m_xReadout = qstr(x);
        m_yReadout = qstr(y);
        const auto [xShown, yShown] =
            spectrum::pointReadoutsWithUnits(m_graph, i, stdstr(m_xUnit), stdstr(m_yUnit));
        m_xShown = qstr(xShown);
        m_yShown = qstr(yShown);
    }
    update();
    m_mouseBusy = false;
}

}  // namespace krnz::gui
