// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/analysis/batch_chain.h"
#include "core/analysis/measurements.h"
#include "core/analysis/operator_chain.h"
#include "core/analysis/panel_texts.h"
#include "core/analysis/reporter.h"
#include "core/event/event.h"
#include "core/event/event_reader.h"
#include "core/report/half_waves.h"
#include "core/report/ppvzx_config.h"
#include "core/report/ppvzx_drawing.h"
#include "core/report/print_choices.h"
#include "core/report/print_page.h"
#include "core/report/verdict.h"
#include "core/report/verdict_table.h"
#include "core/settings/options.h"
#include "core/settings/text_lookup.h"
#include "core/spectrum/segment.h"
#include "core/view/cursor.h"
#include "core/view/row_reduction.h"

namespace krnz {

// How the spectrum is computed and shown: window, kind and axes.
struct SpectrumChoices {
    int windowType = 0;    // spectrum::kWindow...
    int spectrumType = 0;  // spectrum::kSpectrum...
    bool logx = false;
    bool logy = false;
};

// The part of the record the strips show: zoom factor and the scroll bar's value and maximum.
struct VisibleRange {
    int zoom = 1;
    int scrollValue = 0;
    int scrollMaximum = 0;
};

// One open event and every choice made about it. The window, the command line and the batch
// all drive this; whatever two of them show (a row's unit, the panels, the print view, the
// spectrum page) is derived here, once. Changes go through the intent methods.
class Workspace {
  public:
    explicit Workspace(const TextLookup& texts);
    ~Workspace();
    Workspace(Workspace&&) noexcept;
    Workspace& operator=(Workspace&&) noexcept;

    // ---- Intents

    // Reads an event file and makes it current (takeEvent). Throws what the reader throws; the
    // workspace is unchanged then.
    void open(const std::filesystem::path& path, const ReadOptions& options = {});
    // Makes a read event current and resets the display for it: its user information (from
    // the file for Tremolog, from ".userinfo" beside a KRN file), every slot with a sensor
    // shown and normalised, the rows in the file's units, no cursor, no reference, no chain,
    // the time grid of the whole record. The panels wait for measurePanels: measuring a long
    // record costs more than reading it, and not every face shows them.

    void takeEvent(LoadedEvent loaded, const std::filesystem::path& path);

    // Runs an operator chain over the rows as the toolbox's "show" does; the rows are then
    // processed. False when the macro cannot be used (the event is untouched).
    bool runChain(const analysis::BatchChainOptions& chain, analysis::Reporter& reporter);
    // The rows were processed (or put back) in place: the panels are measured anew.
    void setProcessed(bool processed);
    // Measures the rows and rebuilds both panels (`setMainWindowTexts`).
    const PanelTexts& measurePanels();
    // The toolbox's source channel of each row, named by the processed panels.
    void setSourceChannels(const std::array<int, kSlots>& channels);

    void setTexts(const TextLookup& texts);
    void setOptions(const settings::Options& options) { m_options = options; }
    void setUserInfo(const UserInfo& info) { m_userInfo = info; }
    // The texts were written where they belong (".userinfo", the Tremolog text section).
    void userInfoStored() { m_storedUserInfo = m_userInfo; }
    void setCursor(const view::CursorState& cursor) { m_cursor = cursor; }
    // The cursor intents of the strips (see core/view/cursor.h): a graph clicked, the cursor
    // shown or hidden, moved to y (false when y lies outside the visible strips), the reference
    // pinned at it or removed, and both carried over to a new row count after a redraw.
    void placeCursor() { m_cursor.placed = true; }
    void showCursor(bool shown) { m_cursor.shown = shown; }
    bool moveCursor(double yTwips, const view::StripGeometry& strip);
    bool insertReference(const view::StripGeometry& strip);
    void removeReference() { view::removeReference(m_cursor); }
    void carryOverCursor() { view::carryOver(m_cursor, m_rows); }
    void setVisibleRange(const VisibleRange& range) { m_visible = range; }
    void setSpectrumChoices(const SpectrumChoices& choices) { m_spectrum = choices; }
    // The PPV/ZX choices: the limit lines (PPVZX.ini), the standard (its position there, -1
    // none), the number of half-waves per slot (nullopt: all) and the diagram's channel boxes.
    void setPpvzxTable(report::PpvzxTable table);
    // Also judges the event against the standard (see verdict).
    void chooseStandard(int standard);
    void setPeaks(std::optional<int> peaks) { m_peaks = peaks; }
    void setPpvzxChannelOn(int slot, bool on) { m_ppvzxChannelOn[slot] = on; }

    // The layout pass for strips of `height` pixel rows of `twipsPerRow` each: full scales of
    // the shown slots, then every slot's rows reduced to that height.
    void layoutRows(std::int32_t height, double twipsPerRow = 15.0);
    // Full scales of every slot as the layout pass picks them (autoScale).
    void autoScaleAll();
    // The sample panel for a time-grid step; false when nothing changed.
    bool setTimeScale(double gridStepS);
    // The half-waves of every slot for the PPV/ZX diagram, with the chosen number of peaks;
    // returns which slots can be plotted, and unticks the diagram's box of the others. The
    // event is judged anew against the chosen standard.
    std::array<bool, kSlots> updateHalfWaves();

    // ---- The toolbox's operator chain (see core/analysis/operator_chain.h)
    //
    // The lists outlive an event: a chain built for one event is applied to the next. The
    // list edits below change nothing in the rows until applyChain.

    void selectChainEntry(int row, int index) { chainLists().select(row, index); }
    // The row the operator buttons and "delete" act on.
    void setChainRow(int row) { chainLists().setCurrentRow(row); }
    void setChainSource(int row, int channel) { chainLists().setSourceChannel(row, channel); }
    void setChainIntOn(int row, bool on) { chainLists().setIntOn(row, on); }
    void setChainChannelOn(const std::array<bool, kSlots>& on) { chainLists().setChannelOn(on); }
    void addChainOperator(int op) { chainLists().addOperator(op); }
    void addChainFilter(int op, int frequencyHz) { chainLists().addFilter(op, frequencyHz); }
    void addChainResultant(const analysis::ResultantChoice& choice) {
        chainLists().addResultant(choice);
    }
    // False when the entry is no filter (nothing changes).
    bool setChainFrequency(int row, int index, int frequencyHz) {
        return chainLists().editFrequency(row, index, frequencyHz);
    }
    void deleteChainEntry() { chainLists().deleteSelected(); }
    void clearChain() { chainLists().clear(); }
    // Replaces the lists with macro `name` of the folder (analysis::loadMacro): false after the
    // message when the macro cannot be used; throws krnz::Error for a name that is no file name.
    bool loadChainMacro(const std::filesystem::path& macroDir, std::string_view name,
                        analysis::Reporter& reporter);

    // The rows as they are now are the event as loaded: what applyChain starts from and
    // unloadChain puts back. After every takeEvent, before the chain is applied; until then
    // unloadChain leaves the rows alone, since the copy kept belongs to an earlier event.
    void keepLoadedSamples();
    // The toolbox's "show": the rows rebuilt from the loaded samples and run through the lists;
    // the rows are then processed, named by the chain's source channels, and the panels
    // measured anew. A run that stops on an error is reported and its rows are shown as they
    // are.
    void applyChain(analysis::Reporter& reporter);
    // The toolbox closed: the loaded samples back, units as read, the panels of the event as
    // loaded.
    void unloadChain();

    // ---- State

    bool hasEvent() const { return !m_file.empty(); }
    const std::filesystem::path& file() const { return m_file; }
    const Event& event() const { return m_event; }
    const settings::Options& options() const { return m_options; }
    bool processed() const { return m_processed; }
    const std::array<int, kSlots>& sourceChannels() const { return m_sourceChannel; }
    const UserInfo& userInfo() const { return m_userInfo; }
    // The texts differ from those the event came with or were last stored.
    bool userInfoEdited() const { return m_userInfo != m_storedUserInfo; }
    const view::CursorState& cursor() const { return m_cursor; }
    const view::RowData& rows() const { return m_rows; }
    const VisibleRange& visibleRange() const { return m_visible; }
    double twipsPerRow() const { return m_twipsPerRow; }
    const SpectrumChoices& spectrumChoices() const { return m_spectrum; }
    const report::PpvzxTable& ppvzxTable() const { return m_ppvzxTable; }
    int standard() const { return m_standard; }
    std::optional<int> peaks() const { return m_peaks; }
    const std::array<bool, kSlots>& ppvzxChannelOn() const { return m_ppvzxChannelOn; }
    const TextLookup& texts() const { return *m_texts; }
    const analysis::OperatorChain& chain() const;

    // ---- Derived values

    // The unit a slot's numbers are shown in (processed: after the chain).
    int displayedUnit(int slot) const;
    // Whether a slot is shown: its box is checked.
    bool isActive(int slot) const;
    const PanelTexts& panels() const { return m_panels; }
    // The channel measures behind the panels, as of the last measurePanels.
    const std::array<ChannelMeasures, kSlots>& channelMeasures() const { return m_measures; }
    // What the printed page takes from the window: panels, captions, the visible part and the
    // cursor and reference lines while the cursor is shown.
    report::PrintView printView() const;
    // The PPV/ZX diagram of the current choices, for the window and the page (after
    // updateHalfWaves). It points into the workspace: use it while the workspace lives.
    report::PpvzxDiagram ppvzxDiagram() const;
    // The event's verdict against the chosen standard, every half-wave held against each of
    // its lines, as of the last chooseStandard or updateHalfWaves; nullopt without a standard
    // and after the rows changed.
    const std::optional<report::Verdict>& verdict() const { return m_verdict; }
    // The same as the window's and the page's table, in the workspace's language.
    std::optional<report::VerdictTable> verdictTable() const;
    // The spectrum heading and the four graphs' y units for the current choices.
    std::string spectrumHeading() const;
    std::array<std::string, kSlots> spectrumYUnits() const;
    // The spectrum window's page for samples segment.first..segment.last with the current
    // choices. Throws krnz::Error when the spectra cannot be computed.
    report::PrintSpectrum spectrumPage(const spectrum::Segment& segment) const;

    // The event for code that works on its rows in place (the command line's and the batch's
    // measures); callers that change the rows follow with setProcessed so the panels agree.
    Event& eventForChain() {
        m_blocks = {};  // the rows may change
        return m_event;
    }

  private:
    struct ChainHolder;

    analysis::OperatorChain& chainLists();
    PanelInputs panelInputs() const;
    void rebuildPanels();
    void judge();

    const TextLookup* m_texts;
    std::filesystem::path m_file;
    Event m_event;
    settings::Options m_options;
    bool m_processed = false;
    std::array<int, kSlots> m_sourceChannel = {1, 2, 3, 4};
    UserInfo m_userInfo;
    UserInfo m_storedUserInfo;
    view::CursorState m_cursor;
    view::RowData m_rows;
    view::BlockExtremes
        m_blocks;  // of the rows as they are; made at the first layout after a change
    PanelTexts m_panels;
    std::array<ChannelMeasures, kSlots> m_measures{};
    double m_timeScaleS = 1.0;
    double m_twipsPerRow = 15.0;
    bool m_vectorMaxShown = false;
    VisibleRange m_visible;
    SpectrumChoices m_spectrum;
    report::PpvzxTable m_ppvzxTable;
    int m_standard = -1;
    std::array<bool, kSlots> m_ppvzxChannelOn{true, true, true, true};
    std::optional<int> m_peaks = report::kDefaultPeaks;
    std::optional<report::Verdict> m_verdict;
    // Apart, so that the chain's references to its texts and reporter survive a move.
    std::unique_ptr<ChainHolder> m_chain;
    bool m_loadedKept = false;  // the chain's loaded copy is of this event
};

}  // namespace krnz
