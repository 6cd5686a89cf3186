// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/session.h"

#include "core/report/extra_graph_settings.h"
#include "core/report/ppvzx_config.h"
#include "core/view/recent_files.h"
#include "platform/prompter.h"

#include <iostream>

namespace krnz::gui {

Session::Session(settings::AppPaths paths, settings::LanguageFiles& texts, QObject* parent)
    : QObject(parent), m_paths(std::move(paths)), m_texts(texts), m_workspace(texts) {}

void Session::takeEvent(LoadedEvent loaded, const std::filesystem::path& path) {
    m_workspace.takeEvent(std::move(loaded), path);
    m_recentFiles = view::pushRecentFile(std::move(m_recentFiles), path.string());
    setMainWindowTexts(false);
    Q_EMIT userInfoChanged();
}

void Session::settingsNotSaved(const std::exception& error) {
    std::cerr << "settings not saved: " << error.what() << '\n';
    if (m_settingsNotSavedSaid) return;
    m_settingsNotSavedSaid = true;
    std::string text = m_texts.text("krn", "settingsNotSaved");
    const std::string folder = m_paths.settingsDir().string();
    if (const auto at = text.find("{folder}"); at != std::string::npos) text.replace(at, 8, folder);
    platform::prompter().message(text + "\n" + error.what(), platform::Severity::Warning);
}

void Session::setMainWindowTexts(bool processed) {
    m_workspace.setProcessed(processed);
    if (!m_workspace.event().sample.dataLoaded) return;
    Q_EMIT panelsChanged();
}

void Session::rowsProcessed(bool processed) {
    setMainWindowTexts(processed);
    Q_EMIT rowsChanged();
}

void Session::setTimeScale(double gridStepS) {
    if (m_workspace.setTimeScale(gridStepS)) Q_EMIT panelsChanged();
}

void Session::loadPpvzx() {
    if (m_ppvzxLoaded) return;
    m_ppvzxLoaded = true;
    const report::ExtraGraphSettings stored =
        report::readExtraGraphIni(m_paths.settingsDir() / "extraGraph.ini", std::nullopt);
    m_workspace.setPpvzxTable(report::readPPVZXini(m_paths.dataFile("PPVZX.ini")));
    m_workspace.chooseStandard(m_workspace.ppvzxTable().indexOf(stored.standard));
}

bool Session::setLanguage(const std::string& fileName) {
    if (!m_texts.setLanguage(fileName)) return false;
    m_general.language = m_texts.languageFile();
    m_workspace.setTexts(m_texts);
    if (m_workspace.event().sample.dataLoaded) Q_EMIT panelsChanged();
    Q_EMIT languageChanged();
    return true;
}

void Session::setUserInfo(const UserInfo& info) {
    m_workspace.setUserInfo(info);
    Q_EMIT userInfoChanged();
}

}  // namespace krnz::gui
