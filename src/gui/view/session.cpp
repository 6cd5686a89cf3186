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
    Q_EMIT eventChanged();
}

void Session::setCursor(const view::CursorState& cursor) {
    m_workspace.setCursor(cursor);
    Q_EMIT cursorChanged();
}

void Session::placeCursor() {
    m_workspace.placeCursor();
    Q_EMIT cursorChanged();
}

void Session::showCursor(bool shown) {
    m_workspace.showCursor(shown);
    Q_EMIT cursorChanged();
}

bool Session::moveCursor(double yTwips, const view::StripGeometry& strip) {
    const double before = m_workspace.cursor().yTwips;
    const bool moved = m_workspace.moveCursor(yTwips, strip);
    if (moved && m_workspace.cursor().yTwips != before) Q_EMIT cursorChanged();
    return moved;
}

bool Session::insertReference(const view::StripGeometry& strip) {
    const bool inserted = m_workspace.insertReference(strip);
    if (inserted) Q_EMIT cursorChanged();
    return inserted;
}

void Session::removeReference() {
    m_workspace.removeReference();
    Q_EMIT cursorChanged();
}

void Session::carryOverCursor() {
    const view::CursorState before = m_workspace.cursor();
    m_workspace.carryOverCursor();
    const view::CursorState& after = m_workspace.cursor();
    if (after.yTwips != before.yTwips || after.refYTwips != before.refYTwips)
        Q_EMIT cursorChanged();
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
