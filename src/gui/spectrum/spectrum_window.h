// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>
#include <optional>
#include <string>

#include "core/event/event.h"
#include "core/report/print_page.h"
#include "core/spectrum/fft_graphs.h"
#include "gui/spectrum/spectrum_picture.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace krnz::gui {

class SpectrumGraphWidget;
class SpectrumWizard;
class Session;

// The spectrum window (`frqForm`): the spectra of the four slots over the interval between the
// main window's reference and measuring cursor, two by two, each with its maximum frequency,
// and the commands Repaint, Log X, Log Y, print, save picture and back. While shown it follows
// the session: a new event, the chain applied or undone, or the cursor or reference moved
// recompute it once, after the change is complete; without an interval it is empty and says
// what is missing. Made once per run and kept; closing it stores its place and choices
// (section "fft") until it is shown again.
class SpectrumWindow : public QWidget {
    Q_OBJECT
  public:
    // The list of every `maxFrq` box, Hz.
    static constexpr std::array<const char*, 5> kMaxFrqList{"500", "200", "100", "50", "20"};

    SpectrumWindow(Session& session, QWidget* parent);
    ~SpectrumWindow() override;

    Session& session() { return m_session; }

    // The two choices of the wizard, held by the workspace's spectrum choices; not clamped
    // here (the wizard clamps).
    int windowType() const;
    void setWindowType(int type);
    int spectrumType() const;
    void setSpectrumType(int type);

    // The main window's spectrum command: the window comes forward when it is shown, else the
    // wizard asks for the choices first.
    void openFromMainWindow();
    // The wizard, made on first use and kept for the run.
    SpectrumWizard& wizard();

    // `boll` ("Repaint"): the four spectra of the cursor interval. A run that cannot be done
    // (no cursor or no reference, a GEO window on fewer than 6 samples, a failed transform) is
    // reported and the graphs keep what they showed; false then.
    bool repaintSpectra();
    // What the window says instead of graphs when it has none to show; empty with graphs.
    QString notice() const;
    // Spectra computed since the window was made: one per showing and per change followed.
    int computations() const { return m_computations; }
    // `update_fft_init_data`: place, size, state and the two choices into the "fft" settings.
    void update_fft_init_data();
    // Closing: the settings above are stored and the open flag cleared; the window hides. Does
    // nothing when the window is not loaded.
    void unload();

    void applyCaptions();
    // The heading (`selected`) and the graphs' units for the current choices and units.
    void updateHeading();

    // The open flag: set while the window is loaded, from its first showing to its closing.
    bool isLoaded() const { return m_loaded; }
    // The analysed interval of the last successful run, s from the record's start.
    double tStart() const { return m_tStart; }
    double tEnd() const { return m_tEnd; }
    bool hasSpectra() const { return m_result.has_value(); }
    SpectrumGraphWidget& graph(int slot) { return *m_graphs[static_cast<std::size_t>(slot)]; }
    QString heading() const;

    // What the printed page shows: the graphs of the last run with their units and heading.
    report::PrintSpectrum printSpectrum() const;

    // Tests answer the file dialog of the save buttons.
    void setPictureFileChooser(PictureFileChooser chooser) { m_choosePicture = std::move(chooser); }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void createControls();
    void load();
    // Asks for one recomputation once the current change is complete.
    void follow();
    void followNow();
    void showEmpty(const QString& why);
    // The failure text of a run that could not be done; empty when the graphs show the run.
    std::string run();
    spectrum::SpectrumParams params() const;
    void layoutControls();
    void print();
    void back();
    void saveWindowPicture();

    Session& m_session;
    bool m_loaded = false;
    bool m_running = false;
    double m_tStart = 0.0;
    double m_tEnd = 0.0;
    std::optional<spectrum::SpectrumResult> m_result;
    spectrum::SpectrumRun m_spare;  // storage of the run before the last, reused by the next
    int m_computations = 0;
    QTimer* m_follow = nullptr;
    std::array<std::string, kSlots> m_yUnits;      // for the current choices
    std::array<std::string, kSlots> m_shownUnits;  // of the graphs shown
    std::string m_shownSelected;
    SpectrumWizard* m_wizard = nullptr;
    PictureFileChooser m_choosePicture;

    QPushButton* m_print = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_back = nullptr;
    QCheckBox* m_logy = nullptr;
    QCheckBox* m_logx = nullptr;
    QPushButton* m_boll = nullptr;
    QFrame* m_panel = nullptr;
    QLabel* m_selected = nullptr;
    QLabel* m_notice = nullptr;
    std::array<QComboBox*, kSlots> m_maxFrq{};
    std::array<QLabel*, kSlots> m_maxFrqL{};
    std::array<SpectrumGraphWidget*, kSlots> m_graphs{};
};

}  // namespace krnz::gui
