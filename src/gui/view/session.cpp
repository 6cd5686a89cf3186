// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/session.h"

#include "core/report/extra_graph_settings.h"
#include "core/report/ppvzx_config.h"
#include "core/settings/options.h"
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

void Session::restoreSettings(settings::GeneralSettings general,
                              std::vector<std::string> recentFiles) {
    m_general = std::move(general);
    m_general.language = m_texts.languageFile();
    m_recentFiles = std::move(recentFiles);
}

void Session::setMainWindowPlace(float left, float top, std::int32_t width, std::int32_t height,
                                 std::int16_t state) {
    m_general.language = m_texts.languageFile();
    m_general.sizeLeft = left;
    m_general.sizeTop = top;
    m_general.sizeWidth = width;
    m_general.sizeHeight = height;
    m_general.winstate = state;
}

bool Session::setChannelOn(int slot, bool on) {
    settings::Options options = m_workspace.options();
    const bool changed = settings::setChannelOn(options, slot, on);
    m_workspace.setOptions(options);  // a refusal checks the box again
    return changed;
}

void Session::readStoredOptions() {
    settings::Options options = m_workspace.options();
    settings::readOptions(m_paths.optionIniPath(), options);
    m_workspace.setOptions(options);
}

void Session::addChainOperator(int op) {
    m_workspace.addChainOperator(op);
    Q_EMIT chainChanged();
}

void Session::addChainFilter(int op, int frequencyHz) {
    m_workspace.addChainFilter(op, frequencyHz);
    Q_EMIT chainChanged();
}

void Session::addChainResultant(const analysis::ResultantChoice& choice) {
    m_workspace.addChainResultant(choice);
    Q_EMIT chainChanged();
}

void Session::setChainFrequency(int row, int index, int frequencyHz) {
    if (m_workspace.setChainFrequency(row, index, frequencyHz)) Q_EMIT chainChanged();
}

void Session::deleteChainEntry() {
    m_workspace.deleteChainEntry();
    Q_EMIT chainChanged();
}

void Session::clearChain() {
    m_workspace.clearChain();
    Q_EMIT chainChanged();
}

bool Session::loadChainMacro(std::string_view name, analysis::Reporter& reporter) {
    // A refused macro may have emptied the lists already.
    try {
        const bool loaded = m_workspace.loadChainMacro(m_paths.macroDir(), name, reporter);
        Q_EMIT chainChanged();
        return loaded;
    } catch (...) {
        Q_EMIT chainChanged();
        throw;
    }
}

void Session::applyChain(analysis::Reporter& reporter) {
    m_workspace.applyChain(reporter);
    rowsReplaced();
}

void Session::unloadChain() {
    m_workspace.unloadChain();
    rowsReplaced();
}

void Session::rowsReplaced() {
    if (m_workspace.event().sample.dataLoaded) Q_EMIT panelsChanged();
    Q_EMIT rowsChanged();
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
