// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>
#include <vector>

#include "core/analysis/reporter.h"
#include "core/report/ppvzx_drawing.h"

namespace krnz::gui {

// The diagram's drawing pictures ("ppvzxOuter" with "ppvzxInner"): the diagram drawn once per
// change into a picture that keeps it, with each half-wave marker's tooltip.
class PpvzxView : public QWidget {
    Q_OBJECT
  public:
    explicit PpvzxView(QWidget* parent = nullptr);

    // `drawPPVZX` for the screen: draws `diagram` at the view's current size; messages go to
    // `reporter`.
    void draw(const report::PpvzxDiagram& diagram, analysis::Reporter& reporter);

    const std::vector<report::PpvzxMarker>& markers() const { return m_drawing.markers; }
    const report::PageRect& plot() const { return m_drawing.plot; }
    const QImage& picture() const { return m_picture; }
    double twipsPerPixel() const { return m_twipsPerPixel; }

    // The tooltip of the marker under a point (logical pixels), empty when there is none.
    QString tooltipAt(QPointF position) const;

  Q_SIGNALS:
    // The window's layout gave the view a new size: the diagram is to be drawn again.
    void resized();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

  private:
    QImage m_picture;
    report::PpvzxDrawing m_drawing;
    double m_twipsPerPixel = 15;
};

}  // namespace krnz::gui
