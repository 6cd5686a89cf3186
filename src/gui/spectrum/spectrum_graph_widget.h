// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "core/spectrum/fft_graphs.h"
#include "core/spectrum/graph_mapping.h"

class QToolButton;

namespace krnz::gui {

// The x/y graph of one spectrum (`graph4711`), drawn by the printed page's routine: grid and
// tick texts, a heading with the slot and the frequency of the largest value, the curve. On top,
// a cross-hair with readouts that follows the mouse over the plot.
class SpectrumGraphWidget : public QWidget {
    Q_OBJECT
  public:
    // The graph keeps this far from the control's edges, pixels.
    static constexpr int kPadding = 4;
    // The plot stays this large in a control too small for it, pixels.
    static constexpr int kMinPlotSize = 10;
    // Readout labels stand this far from the cross-hair lines.
    static constexpr int kReadoutOffset = 50;

    explicit SpectrumGraphWidget(QWidget* parent = nullptr);

    // The graph to show: data rectangle, curve, ticks, slot and heading frequency (taken from
    // the linear spectrum, so log axes name it in Hz). Throws krnz::Error (4711) when the x and
    // y arrays differ in length. Shown at the next invalidate().
    void setGraph(spectrum::GraphSetup setup);
    void xUnit(const QString& text) { m_xUnit = text; }
    void yUnit(const QString& text) { m_yUnit = text; }
    // The "maxampat" text of the heading.
    void setMaxampatText(const QString& text) { m_maxampat = text; }

    // No graph: the control shows `why` instead (an empty text leaves it blank). Shown at the
    // next invalidate().
    void clear(const QString& why);
    QString emptyText() const { return m_hasData ? QString() : m_emptyText; }

    // `invalidate`: lays the plot out for the control's size and draws everything again.
    void invalidate();

    const spectrum::GraphSetup& graph() const { return m_graph; }
    bool hasData() const { return m_hasData; }
    QString heading() const;
    // `bg`: the plot in control coordinates, and the mapping of the data rectangle onto it.
    QRect plotRect() const { return m_plot; }
    spectrum::GraphMapping mapping() const { return m_map; }
    const std::vector<std::int32_t>& pixelIndexTable() const { return m_pixelIndex; }

    // The cross-hair: shown after the first press on the plot; column and row in the plot.
    bool crossHairShown() const { return m_crossHairShown; }
    QPoint crossHair() const { return m_crossHair; }
    QString xReadout() const { return m_xReadout; }
    QString yReadout() const { return m_yReadout; }
    // The readouts beside the cross-hair on screen, with their units: "12.5 Hz".
    QString xReadoutShown() const { return m_xShown; }
    QString yReadoutShown() const { return m_yShown; }
    // The control as it shows, without its "..." button.
    QImage picture();

    // Both lines of the cross-hair in the plot, with readouts: what a printed page shows.
    bool crossHairLinesShown() const;

  Q_SIGNALS:
    // The "..." button: the window asks for a file and saves the picture.
    void saveRequested();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void mouseAt(QPoint pos);
    void hideCrossHair();
    void drawCrossHair(QPainter& p);

    spectrum::GraphSetup m_graph;
    bool m_hasData = false;
    QString m_xUnit = QStringLiteral("Hz");
    QString m_yUnit;
    QString m_maxampat;

    QRect m_plot;
    spectrum::GraphMapping m_map;
    QPixmap m_picture;  // the graph without the cross-hair, kept between paints
    std::vector<std::int32_t> m_pixelIndex;

    bool m_mouseBusy = false;
    QPoint m_lastMouse{-1, -1};
    bool m_crossHairShown = false;
    QPoint m_crossHair;
    bool m_rowKnown = false;
    QString m_xReadout;
    QString m_yReadout;
    QString m_xShown;
    QString m_yShown;
    QString m_emptyText;

    QToolButton* m_save = nullptr;
};

}  // namespace krnz::gui
