// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <filesystem>
#include <string>
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
    settings::GeneralSettings& general() { return m_general; }
    std::vector<std::string>& recentFiles() { return m_recentFiles; }

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
    // The toolbox's source channel of each row, named by the processed panels.
    void setSourceChannels(const std::array<int, kSlots>& channels) {
        m_workspace.setSourceChannels(channels);
    }
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
    // The PPV/ZX choices. loadPpvzx reads PPVZX.ini and the standard last chosen
    // (extraGraph.ini) the first time it is called; it throws krnz::Error when PPVZX.ini cannot
    // be read, and the diagram then has no limit lines.
    void loadPpvzx();
    void chooseStandard(int standard) { m_workspace.chooseStandard(standard); }
    void setPeaks(std::optional<int> peaks) { m_workspace.setPeaks(peaks); }
    void setPpvzxChannelOn(int slot, bool on) { m_workspace.setPpvzxChannelOn(slot, on); }
    // The diagram's half-waves; which slots can be plotted.
    std::array<bool, kSlots> updateHalfWaves() { return m_workspace.updateHalfWaves(); }

    // The display options, changed in place by the options dialog.
    settings::Options& editOptions() { return m_workspace.editOptions(); }
    // The options dialog applied its changes (optionsChanged).
    void optionsApplied() { Q_EMIT optionsChanged(); }
    // The rows the toolbox's chain works on in place; follow with setMainWindowTexts.
    Event& eventForChain() { return m_workspace.eventForChain(); }

    // Switches the interface language; false when there is no such language file.
    bool setLanguage(const std::string& fileName);

    // Replaces the user information (the fields follow through userInfoChanged).
    void setUserInfo(const UserInfo& info);
    // A field the user typed: the same without a signal, since the field already shows it.
    void editUserInfo(const UserInfo& info) { m_workspace.setUserInfo(info); }
    void userInfoStored() { m_workspace.userInfoStored(); }
    // The texts just saved, offered to the next event that has none of its own.
    void rememberUserInfo() { m_previousUserInfo = m_workspace.userInfo(); }

    // The rows were processed or put back in place: the panels are rebuilt and the strips laid
    // out again (rowsChanged).
    void rowsProcessed(bool processed);
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
    void userInfoChanged();
    void languageChanged();

  private:
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
