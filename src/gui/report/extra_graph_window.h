// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>
#include <filesystem>

#include "core/event/event.h"
#include "core/report/extra_graph_settings.h"
#include "core/report/ppvzx_config.h"
#include "core/report/ppvzx_drawing.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;
class QTimer;

namespace krnz::gui {

class PpvzxView;
class Session;

// The PPV/ZX diagram window (`extraGraph`, "Sensor test & PPV/ZX"): the half-wave peaks of the
// velocity channels against their zero-crossing frequencies over the limit lines of the chosen
// standard. Made once and kept; "ok" hides it. The print layout asks it for the diagram it
// shows, loaded but not shown. While shown it follows a new event, the chain and the options.
class ExtraGraphWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ExtraGraphWindow(Session& session, QWidget* parent = nullptr);

    void applyCaptions();

    // The update: which slots can be plotted, and their half-wave lists for the "nPeaks"
    // choice; then a redraw.
    void updateHalfWaves();
    // Half-wave updates since the window was made: one per showing and per change followed.
    int computations() const { return m_computations; }
    // Draws the diagram again as the controls say.
    void redraw();

    // What the window shows, for the printed page.
    report::PpvzxDiagram diagram() const;

    const report::PpvzxTable& table() const;
    PpvzxView& view() { return *m_view; }

    // `savePPVZXsettings`: the chosen standard and the window's place in "extraGraph.ini".
    void savePPVZXsettings();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void readPPVZXini();
    // The verdict's table and sentence under the diagram, for the chosen standard.
    void showVerdict();
    void viewResized();
    void standardChanged();
    void nPeaksChanged();
    void ok();
    void dumpToPrinter();
    std::filesystem::path extraGraphIni() const;

    Session& m_session;
    bool m_loading = false;
    bool m_busy = false;
    int m_computations = 0;
    QTimer* m_follow = nullptr;

    QPushButton* m_command1 = nullptr;
    QLabel* m_nPeaksLabel = nullptr;
    QComboBox* m_nPeaks = nullptr;
    std::array<QCheckBox*, kSlots> m_channelOn{};
    QLabel* m_lstandard = nullptr;
    QListWidget* m_standards = nullptr;
    QPushButton* m_ok = nullptr;
    QGroupBox* m_sensFrame = nullptr;
    QLabel* m_sensText = nullptr;
    QGroupBox* m_ppvzxFrame = nullptr;
    PpvzxView* m_view = nullptr;
    QTableWidget* m_verdict = nullptr;
    QLabel* m_method = nullptr;
};

}  // namespace krnz::gui
