// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/session.h"

#include "core/analysis/active_channels.h"
#include "core/event/user_info.h"
#include "core/event/user_info_carry.h"
#include "core/view/recent_files.h"

namespace krnz::gui {

Session::Session(settings::AppPaths paths, settings::LanguageFiles& texts, QObject* parent)
    : QObject(parent), m_paths(std::move(paths)), m_texts(texts) {}

void Session::takeEvent(LoadedEvent loaded, const std::filesystem::path& path) {
    m_event = std::move(loaded.event);
    m_currentFile = path;
    for (int c = 0; c < kSlots; ++c)
        m_event.sample.curUnit[static_cast<std::size_t>(c)] =
            m_event.channels[static_cast<std::size_t>(c)].unit;

    if (loaded.userInfo) {
        m_userInfo = std::move(*loaded.userInfo);
    } else if (auto stored = readUserInfoFile(path)) {
        m_userInfo = std::move(*stored);
    } else {
        clearClientInfo(m_userInfo);
    }

    for (int c = 0; c < kSlots; ++c) {
        auto& slot = m_options.slotOptions[static_cast<std::size_t>(c)];
        slot.ampScale = settings::AmpScale::Normalize;
        slot.channelOn = m_event.sample.channelOff[static_cast<std::size_t>(c)]
                             ? settings::CheckState::Unchecked
                             : settings::CheckState::Checked;
    }
    const bool keepPlaced = m_cursor.placed;
    m_cursor = {};
    m_cursor.placed = keepPlaced;
    m_rows.reset();
    m_recentFiles = view::pushRecentFile(std::move(m_recentFiles), path.string());
    setMainWindowTexts(false);
    Q_EMIT userInfoChanged();
}

PanelInputs Session::panelInputs() const {
    PanelInputs inputs;
    inputs.processed = m_processed;
    inputs.sourceChannel = m_sourceChannel;
    for (int c = 0; c < kSlots; ++c)
        inputs.channelOn[static_cast<std::size_t>(c)] = view::isActive(m_options, c);
    inputs.timeScaleS = m_timeScaleS;
    return inputs;
}

void Session::setMainWindowTexts(bool processed) {
    m_processed = processed;
    if (!m_event.sample.dataLoaded) return;
    const PanelInputs inputs = panelInputs();
    m_panels = krnz::setMainWindowTexts(m_event, inputs, m_texts);
    m_vectorMaxShown = showsVectorMax(m_event, inputs);
    Q_EMIT panelsChanged();
}

void Session::setTimeScale(double gridStepS) {
    if (!m_event.sample.dataLoaded) return;
    PanelInputs inputs = panelInputs();
    inputs.timeScaleS = gridStepS;
    const bool vectorMax = showsVectorMax(m_event, inputs);
    if (gridStepS == m_timeScaleS && vectorMax == m_vectorMaxShown) return;
    m_timeScaleS = gridStepS;
    // The labels carry the vector-maximum line only while it is shown, so both columns follow.
    if (vectorMax != m_vectorMaxShown) {
        setMainWindowTexts(m_processed);
        return;
    }
    m_panels.sampleValues = set_sample_texts(m_event, inputs);
    Q_EMIT panelsChanged();
}

bool Session::setLanguage(const std::string& fileName) {
    if (!m_texts.setLanguage(fileName)) return false;
    m_general.language = m_texts.languageFile();
    setMainWindowTexts(m_processed);
    Q_EMIT languageChanged();
    return true;
}

void Session::setUserInfo(const UserInfo& info) {
    m_userInfo = info;
    Q_EMIT userInfoChanged();
}

}  // namespace krnz::gui
