// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings/app_paths.h"
#include "core/settings/general_settings.h"
#include "core/settings/language_files.h"
#include "core/workspace/workspace.h"

namespace krnz::gui {

// The program's one workspace (the current event and every choice made about it) with the
// application's settings, and Qt signals when they change. Every window is handed the session
// and reads from it; none keeps a copy of the event. Changes go through the intent methods.
class Session : public QObject {
    Q_OBJECT
  public:
    Session(settings::AppPaths paths, settings::LanguageFiles& texts, QObject* parent = nullptr);

    const settings::AppPaths& paths() const { return m_paths; }
    settings::LanguageFiles& texts() { return m_texts; }
    const settings::LanguageFiles& texts() const { return m_texts; }
    const settings::GeneralSettings& general() const { return m_general; }
    const std::vector<std::string>& recentFiles() const { return m_recentFiles; }

    // The settings read at the start; the language is the one the texts were opened with.
    void restoreSettings(settings::GeneralSettings general, std::vector<std::string> recentFiles);
    // Folders remembered for the next dialog: of the last opened event, of the last picture.
    void setWorkDir(std::string folder) { m_general.workDir = std::move(folder); }
    void setPictureDir(std::string folder) { m_general.pictureDir = std::move(folder); }
    void setFileFilter(std::int16_t filter) { m_general.fileFilter = filter; }
    // The spectrum window's place and choices, stored at the close.
    void setFftSettings(const settings::FftSettings& fft) { m_general.fft = fft; }
    // The main window's place at the close (twips within the work area) and the language in
    // use, for writeGeneralSettings.
    void setMainWindowPlace(float left, float top, std::int32_t width, std::int32_t height,
                            std::int16_t state);

    const Workspace& workspace() const { return m_workspace; }
    bool hasEvent() const { return m_workspace.hasEvent(); }
    const std::filesystem::path& currentFile() const { return m_workspace.file(); }
    const Event& event() const { return m_workspace.event(); }
    const settings::Options& options() const { return m_workspace.options(); }
    bool processed() const { return m_workspace.processed(); }
    const UserInfo& userInfo() const { return m_workspace.userInfo(); }
    const UserInfo& previousUserInfo() const { return m_previousUserInfo; }
    const view::CursorState& cursor() const { return m_workspace.cursor(); }
    const view::RowData& rows() const { return m_workspace.rows(); }
    const PanelTexts& panels() const { return m_workspace.panels(); }

    // Makes a read event current (Workspace::takeEvent), puts it first among the recent files
    // and rebuilds the panels.
    void takeEvent(LoadedEvent loaded, const std::filesystem::path& path);

    // Rebuilds both panels (`setMainWindowTexts`); processed: the toolbox's operators ran.
    void setMainWindowTexts(bool processed);
    // The sample panel for the time-grid step of the last drawing; cheap when nothing changed.
    void setTimeScale(double gridStepS);
    // The layout pass: full scales of the shown slots and the rows reduced to `height`.
    void layoutRows(std::int32_t height, double twipsPerRow) {
        m_workspace.layoutRows(height, twipsPerRow);
    }
    // The cursor and reference intents; each tells cursorChanged when it changed anything.
    void setCursor(const view::CursorState& cursor);
    void placeCursor();
    void showCursor(bool shown);
    bool moveCursor(double yTwips, const view::StripGeometry& strip);
    bool insertReference(const view::StripGeometry& strip);
    void removeReference();
    void carryOverCursor();
    void setVisibleRange(const VisibleRange& range) { m_workspace.setVisibleRange(range); }
    // The spectrum window's window, kind and axes (Workspace::spectrumChoices).
    void setSpectrumChoices(const SpectrumChoices& choices) {
        m_workspace.setSpectrumChoices(choices);
    }
    // The PPV/ZX choices. loadPpvzx reads PPVZX.ini and the standard last chosen
    // (extraGraph.ini) the first time it is called; it throws krnz::Error when PPVZX.ini cannot
    // be read, and the diagram then has no limit lines.
    void loadPpvzx();
    void chooseStandard(int standard) { m_workspace.chooseStandard(standard); }
    void setPeaks(std::optional<int> peaks) { m_workspace.setPeaks(peaks); }
    void setPpvzxChannelOn(int slot, bool on) { m_workspace.setPpvzxChannelOn(slot, on); }
    // The diagram's half-waves; which slots can be plotted.
    std::array<bool, kSlots> updateHalfWaves() { return m_workspace.updateHalfWaves(); }

    // The options dialog's live edits: each takes effect at once, without a signal; the
    // windows follow at optionsApplied.
    void setOptions(const settings::Options& options) { m_workspace.setOptions(options); }
    // A slot shown or hidden (settings::setChannelOn); false, the slot shown, when it would
    // hide the last shown slot.
    bool setChannelOn(int slot, bool on);
    // The stored options (option.ini) read over the current ones: at the start, and when the
    // options dialog is cancelled.
    void readStoredOptions();
    // The options dialog applied its changes (optionsChanged).
    void optionsApplied() { Q_EMIT optionsChanged(); }

    // The toolbox's operator chain, kept by the workspace (see Workspace). Changes to the lists
    // tell chainChanged; a selection, the current row and the rows' boxes do not, since the
    // toolbox already shows them.
    const analysis::OperatorChain& chain() const { return m_workspace.chain(); }
    void selectChainEntry(int row, int index) { m_workspace.selectChainEntry(row, index); }
    void setChainRow(int row) { m_workspace.setChainRow(row); }
    void setChainSource(int row, int channel) { m_workspace.setChainSource(row, channel); }
    void setChainIntOn(int row, bool on) { m_workspace.setChainIntOn(row, on); }
    void setChainChannelOn(const std::array<bool, kSlots>& on) {
        m_workspace.setChainChannelOn(on);
    }
    void addChainOperator(int op);
    void addChainFilter(int op, int frequencyHz);
    void addChainResultant(const analysis::ResultantChoice& choice);
    void setChainFrequency(int row, int index, int frequencyHz);
    void deleteChainEntry();
    void clearChain();
    // Macro `name` of the macro folder; false after the message when it cannot be used. Throws
    // krnz::Error for a name that is no file name.
    bool loadChainMacro(std::string_view name, analysis::Reporter& reporter);
    // The rows as they are now are the event as loaded (after each new event).
    void keepLoadedSamples() { m_workspace.keepLoadedSamples(); }
    // "show" and the toolbox's close: the rows processed or put back as loaded; the panels
    // and the strips follow (panelsChanged, rowsChanged).
    void applyChain(analysis::Reporter& reporter);
    void unloadChain();

    // Switches the interface language; false when there is no such language file.
    bool setLanguage(const std::string& fileName);

    // Replaces the user information (the fields follow through userInfoChanged).
    void setUserInfo(const UserInfo& info);
    // A field the user typed: the same without a signal, since the field already shows it.
    void editUserInfo(const UserInfo& info) { m_workspace.setUserInfo(info); }
    void userInfoStored() { m_workspace.userInfoStored(); }
    // The texts just saved, offered to the next event that has none of its own.
    void rememberUserInfo() { m_previousUserInfo = m_workspace.userInfo(); }

    // Requests a window makes of the main window, which owns the print dialog and the toolbar.
    void requestEventPrint() { Q_EMIT eventPrintRequested(); }
    void requestSpectrumPrint(const report::PrintSpectrum& page) {
        Q_EMIT spectrumPrintRequested(page);
    }
    void setToolboxOpen(bool open) { Q_EMIT toolboxOpenChanged(open); }
    // A settings file could not be written (a read-only settings folder, a full disk). The
    // first failure of a run tells the user once, naming the folder; the later ones, which the
    // same cause makes, are only logged. The settings stay in effect until the program ends.
    void settingsNotSaved(const std::exception& error);
    bool settingsNotSavedSaid() const { return m_settingsNotSavedSaid; }

    // Twips per strip row at the last layout: cursor positions convert to rows with it.
    double twipsPerRow() const { return m_workspace.twipsPerRow(); }

  Q_SIGNALS:
    // Another event became current (after takeEvent; the strips are laid out later).
    void eventChanged();
    // The cursor or the reference moved, appeared or went away.
    void cursorChanged();
    void optionsChanged();
    void rowsChanged();
    void eventPrintRequested();
    void spectrumPrintRequested(const report::PrintSpectrum& page);
    void toolboxOpenChanged(bool open);
    void panelsChanged();
    // An operator list of the chain changed (an entry added, edited or deleted, a macro).
    void chainChanged();
    void userInfoChanged();
    void languageChanged();

  private:
    // The chain changed the rows: the panels (when there are samples) and the strips follow.
    void rowsReplaced();

    settings::AppPaths m_paths;
    settings::LanguageFiles& m_texts;
    settings::GeneralSettings m_general;
    std::vector<std::string> m_recentFiles;
    Workspace m_workspace;
    UserInfo m_previousUserInfo;
    bool m_ppvzxLoaded = false;
    bool m_settingsNotSavedSaid = false;
};

}  // namespace krnz::gui
