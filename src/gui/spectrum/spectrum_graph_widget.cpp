// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/spectrum/spectrum_graph_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "core/common/error.h"
#include "core/report/segment_clip.h"
#include "core/spectrum/graph_texts.h"
#include "gui/spectrum/pixel_index_table.h"
#include "gui/view/texts.h"

namespace krnz::gui {
namespace {

const QColor kGridRed(255, 0, 0);
const QColor kCrossHair(0, 0, 160);
// The save button's distance from the control's right edge.
constexpr int kSaveFromRight = 35;

bool mappable(const spectrum::GraphSetup& g) {
    return g.right != g.left && g.top != g.bottom;
}

}  // namespace

SpectrumGraphWidget::SpectrumGraphWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
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
}

QString SpectrumGraphWidget::heading() const {
    return qstr(spectrum::graphHeading(stdstr(m_yUnit), m_graph.ch, stdstr(m_maxampat),
                                       m_graph.maxAmpFreq));
}

spectrum::GraphMapping SpectrumGraphWidget::mapping() const {
    spectrum::GraphMapping map;
    map.left = m_graph.left;
    map.top = m_graph.top;
    map.right = m_graph.right;
    map.bottom = m_graph.bottom;
    map.width = m_plot.width();
    map.height = m_plot.height();
    return map;
}

void SpectrumGraphWidget::invalidate() {
    m_plot = QRect(kPlotLeft, kPlotTop, std::max(width() - kPlotLeft - kRightMargin, kMinPlotSize),
                   std::max(height() - kPlotTop - kBottomMargin, kMinPlotSize));
    const qreal ratio = devicePixelRatioF();
    m_picture = QPixmap(QSize(std::max(width(), 1), std::max(height(), 1)) * ratio);
    m_picture.setDevicePixelRatio(ratio);
    m_picture.fill(palette().color(QPalette::Window));
    m_pixelIndex.clear();

    QPainter p(&m_picture);
    p.fillRect(m_plot, Qt::white);
    p.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics fm(font());
    p.drawText(m_plot.right() + 7, m_plot.bottom() - 17 + fm.ascent(), m_xUnit);
    if (m_hasData) {
        QFont bold = font();
        bold.setBold(true);
        p.setFont(bold);
        p.drawText(QRect(m_plot.left(), 0, width() - m_plot.left(), kPlotTop - 4),
                   Qt::AlignLeft | Qt::AlignVCenter, heading());
        p.setFont(font());
        if (mappable(m_graph)) {
            const spectrum::GraphMapping map = mapping();
            drawGrid(p, map);
            drawCurve(p, map);
        }
    }
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(m_plot.adjusted(-1, -1, 0, 0));
    p.end();

    // A cross-hair outlives new data: it reads the new curve at its column.
    if (m_crossHairShown) {
        const QPoint at = m_crossHair;
        m_lastMouse = QPoint(-1, -1);
        mouseAt(at);
    }
    update();
}

void SpectrumGraphWidget::drawGrid(QPainter& p, const spectrum::GraphMapping& map) {
    const QFontMetrics fm(font());
    const auto yTicks =
        spectrum::visibleTicks(m_graph.yLabels, m_graph.yIsLog, m_graph.bottom, m_graph.top);
    const auto xTicks =
        spectrum::visibleTicks(m_graph.xLabels, m_graph.xIsLog, m_graph.left, m_graph.right);
    for (const spectrum::Tick& t : yTicks) {
        const int y = m_plot.top() + static_cast<int>(map.py(t.position));
        p.setPen(kGridRed);
        p.drawLine(m_plot.left(), y, m_plot.left() + m_plot.width(), y);
        p.setPen(palette().color(QPalette::WindowText));
        const QString text = qstr(spectrum::tickText(t.value));
        p.drawText(QRect(0, y - fm.height() / 2, m_plot.left() - 4, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, text);
    }
    int lastRight = -1000000;
    for (const spectrum::Tick& t : xTicks) {
        const int x = m_plot.left() + static_cast<int>(map.px(t.position));
        p.setPen(kGridRed);
        p.drawLine(x, m_plot.top() - 1, x, m_plot.bottom());
        const QString text = qstr(spectrum::tickText(t.value));
        const int w = fm.horizontalAdvance(text);
        // Texts that would run into the one before are left out.
        if (x - w / 2 < lastRight + 4) continue;
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(QRect(x - w / 2 - 1, m_plot.bottom() + 3, w + 2, fm.height()), Qt::AlignCenter,
                   text);
        lastRight = x + w / 2;
    }
}

void SpectrumGraphWidget::drawCurve(QPainter& p, const spectrum::GraphMapping& map) {
    m_pixelIndex = gui::pixelIndexTable(m_graph.x, map);
    if (m_graph.x.empty()) return;
    // Clipped here rather than by the painter: a log axis or a manual scale can put points
    // millions of pixels away, which the rasteriser does not take well.
    const report::PageRect clip{0.0, 0.0, static_cast<double>(map.width - 1),
                                static_cast<double>(map.height - 1)};
    p.save();
    p.translate(m_plot.topLeft());
    p.setPen(QPen(Qt::black, 0));
    double x1 = map.px(m_graph.x[0]);
    double y1 = map.py(m_graph.y[0]);
    if (x1 >= 0 && x1 <= clip.width && y1 >= 0 && y1 <= clip.height) p.drawPoint(QPointF(x1, y1));
    QPolygonF run;
    auto flush = [&] {
        if (run.size() > 1) p.drawPolyline(run);
        run.clear();
    };
    for (std::size_t i = 1; i < m_graph.x.size(); ++i) {
        const double x2 = map.px(m_graph.x[i]);
        const double y2 = map.py(m_graph.y[i]);
        double cx1 = x1, cy1 = y1, cx2 = x2, cy2 = y2;
        if (report::clipSegment(clip, cx1, cy1, cx2, cy2)) {
            if (run.isEmpty() || run.back() != QPointF(cx1, cy1)) {
                flush();
                run.append(QPointF(cx1, cy1));
            }
            run.append(QPointF(cx2, cy2));
        } else {
            flush();
        }
        // The lines rise in frequency: past the right edge nothing more is drawn.
        if (x1 > clip.width && x2 > clip.width && i > 1) break;
        x1 = x2;
        y1 = y2;
    }
    flush();
    p.restore();
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

void SpectrumGraphWidget::drawCrossHair(QPainter& p) {
    const QFontMetrics fm(font());
    p.setPen(QPen(kCrossHair, 0));
    const int x = m_plot.left() + m_crossHair.x();
    p.drawLine(x, m_plot.top(), x, m_plot.bottom());
    if (m_rowKnown && m_crossHair.y() >= 0 && m_crossHair.y() < m_plot.height()) {
        const int y = m_plot.top() + m_crossHair.y();
        p.drawLine(m_plot.left(), y, m_plot.right(), y);
    }
    if (m_xReadout.isEmpty()) return;
    // Beside the vertical line, on the side with room; the y readout above the horizontal line.
    const int xw = fm.horizontalAdvance(m_xReadout) + 4;
    const int xLeft = x + 4 + xw <= m_plot.right() ? x + 4 : x - 4 - xw;
    const QRect xl(xLeft, std::max(m_plot.top(), m_plot.bottom() - kReadoutOffset), xw,
                   fm.height());
    const int yw = fm.horizontalAdvance(m_yReadout) + 4;
    // A point above or below the plot still gets its readout, at the plot's edge.
    const int row = std::clamp(m_crossHair.y(), 0, m_plot.height() - 1);
    int yTop = m_plot.top() + row - fm.height() - 2;
    if (yTop < m_plot.top()) yTop = m_plot.top() + row + 2;
    yTop = std::min(yTop, m_plot.bottom() - fm.height());
    const QRect yl(
        std::min(m_plot.left() + kReadoutOffset, std::max(m_plot.left(), m_plot.right() - yw)),
        yTop, yw, fm.height());
    for (const auto& [box, text] : {std::pair{xl, m_xReadout}, std::pair{yl, m_yReadout}}) {
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
    if (event->buttons() & Qt::LeftButton) mouseAt(event->position().toPoint() - m_plot.topLeft());
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
        m_crossHair.setY(static_cast<int>(mapping().py(m_graph.y[i])));
        m_rowKnown = true;
        m_xReadout =
            QStringLiteral("x:") + qstr(spectrum::readoutText(m_graph.x[i], m_graph.xIsLog));
        m_yReadout =
            QStringLiteral("y:") + qstr(spectrum::readoutText(m_graph.y[i], m_graph.yIsLog));
    }
    update();
    m_mouseBusy = false;
}

}  // namespace krnz::gui
