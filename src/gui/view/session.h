// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <filesystem>
#include <string>
#include <vector>

#include "core/analysis/panel_texts.h"
#include "core/event/event.h"
#include "core/event/event_reader.h"
#include "core/settings/app_paths.h"
#include "core/settings/general_settings.h"
#include "core/settings/language_files.h"
#include "core/settings/options.h"
#include "core/view/cursor.h"
#include "core/view/row_reduction.h"

namespace krnz::gui {

// The one current event and everything that belongs to it for the whole program: the event,
// the display options, the processed flag, cursor and reference, the reduced rows, the panel
// texts and the user information. Every window is handed the session and reads from it; none
// keeps a copy of the event.
class Session : public QObject {
    Q_OBJECT
  public:
    Session(settings::AppPaths paths, settings::LanguageFiles& texts, QObject* parent = nullptr);

    const settings::AppPaths& paths() const { return m_paths; }
    settings::LanguageFiles& texts() { return m_texts; }
    const settings::LanguageFiles& texts() const { return m_texts; }
    settings::GeneralSettings& general() { return m_general; }
    std::vector<std::string>& recentFiles() { return m_recentFiles; }

    bool hasEvent() const { return !m_currentFile.empty(); }
    const std::filesystem::path& currentFile() const { return m_currentFile; }
    Event& event() { return m_event; }
    const Event& event() const { return m_event; }
    settings::Options& options() { return m_options; }
    const settings::Options& options() const { return m_options; }
    bool processed() const { return m_processed; }
    UserInfo& userInfo() { return m_userInfo; }
    const UserInfo& userInfo() const { return m_userInfo; }
    UserInfo& previousUserInfo() { return m_previousUserInfo; }
    view::CursorState& cursor() { return m_cursor; }
    const view::CursorState& cursor() const { return m_cursor; }
    view::RowData& rows() { return m_rows; }
    const view::RowData& rows() const { return m_rows; }
    const PanelTexts& panels() const { return m_panels; }

    // Makes a read event current: the event, its file, its user information (from the reader
    // for Tremolog, from the ".userinfo" file for KRN), every slot normalised and shown when it
    // has a sensor, no cursor, no reference, and the panels rebuilt from file samples.
    void takeEvent(LoadedEvent loaded, const std::filesystem::path& path);

    // Rebuilds both panels (`setMainWindowTexts`); processed: the toolbox's operators ran.
    void setMainWindowTexts(bool processed);
    // The toolbox's source channel of each row, named by the processed panels.
    void setSourceChannels(const std::array<int, kSlots>& channels) { m_sourceChannel = channels; }
    // The sample panel for the time-grid step of the last drawing; cheap when nothing changed.
    void setTimeScale(double gridStepS);

    // Switches the interface language; false when there is no such language file.
    bool setLanguage(const std::string& fileName);

    // Replaces the user information (the fields follow through userInfoChanged).
    void setUserInfo(const UserInfo& info);

  Q_SIGNALS:
    void panelsChanged();
    void userInfoChanged();
    void languageChanged();

  private:
    PanelInputs panelInputs() const;

    settings::AppPaths m_paths;
    settings::LanguageFiles& m_texts;
    settings::GeneralSettings m_general;
    std::vector<std::string> m_recentFiles;

    std::filesystem::path m_currentFile;
    Event m_event;
    settings::Options m_options;
    bool m_processed = false;
    UserInfo m_userInfo;
    UserInfo m_previousUserInfo;
    view::CursorState m_cursor;
    view::RowData m_rows;
    PanelTexts m_panels;
    double m_timeScaleS = 1.0;
    std::array<int, kSlots> m_sourceChannel = {1, 2, 3, 4};
    bool m_vectorMaxShown = false;
};

}  // namespace krnz::gui
