// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <string>

#include "gui/view/strip_widget.h"
#include "platform/screen_metrics.h"

class QAction;
class QLabel;
class QScrollBar;

namespace krnz::gui {

class GraphArea;
class Session;

// The controls the cursor reports to besides the strips and the time-scale column.
struct CursorControls {
    QAction* mCursor = nullptr;
    QAction* mInsertRef = nullptr;
    QAction* mRemoveRef = nullptr;
    QLabel* deltaLabel = nullptr;
    QAction* deltaAction = nullptr;   // its visibility in the toolbar
    QScrollBar* scrollBar = nullptr;  // `VScroll1`
};

// The measuring cursor and the reference on the strips: mouse, keys and menu items move them,
// and every readout (time beside the scale, value per strip, "1/delta") follows. Positions are
// kept in the session in twips, so they survive redraws at another size.
class CursorController : public QObject {
    Q_OBJECT
  public:
    CursorController(Session& session, GraphArea& area, CursorControls controls,
                     QObject* parent = nullptr);

    void setMetrics(const platform::ScreenMetrics& metrics) { m_metrics = metrics; }

    // `graph_MouseDown` with the left button: shows the cursor and moves it to y (logical
    // pixels of the strip).
    void graphMouseDown(int slot, double y);
    // `graph_MouseMove` with the left button down.
    void graphMouseMove(int slot, double y);
    // `graph_KeyDown`.
    void graphKeyDown(int slot, CursorKey key);
    // `mCursor` clicked.
    void toggleCursor();
    void showCursors(bool visible);

    // After the strips were redrawn: cursor and reference carried to the new row count and
    // put back with fresh readouts.
    void afterRedraw();
    // Every cursor element as the session's state says (after an event was opened).
    void refresh();

  private:
    void moveTo(double yTwips);
    void updateElements();
    // The unit a slot's values are shown in, for the readout beside its cursor.
    std::string rowUnit(int slot) const;

    Session& m_session;
    GraphArea& m_area;
    CursorControls m_controls;
    platform::ScreenMetrics m_metrics;
    bool m_mouseBusy = false;
};

}  // namespace krnz::gui
