// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/media/sound_output.h"

#include <string>

#include "core/common/error.h"
#include "core/common/value_format.h"
#include "core/report/error_report.h"
#include "gui/media/play_channel_dialog.h"
#include "gui/media/sound_player.h"
#include "gui/report/prompter_reporter.h"
#include "gui/view/session.h"
#include "platform/prompter.h"

namespace krnz::gui {

SoundOutput::SoundOutput(Session& session, QWidget& dialogParent)
    : m_session(session), m_soundFile(session.paths().tempDir() / "tmp.wav") {
    m_chooseChannel = [this, &dialogParent](const analysis::PlayChannelChoice& choice) {
        return PlayChannelDialog::ask(choice, m_session.texts(), &dialogParent);
    };
}

SoundOutput::~SoundOutput() = default;

void SoundOutput::setPlayer(std::unique_ptr<SoundPlayer> player) {
    m_player = std::move(player);
}

SoundPlayer& SoundOutput::player() {
    if (!m_player) m_player = makeSystemSoundPlayer();
    return *m_player;
}

void SoundOutput::playChannel() {
    if (!player().hasOutput()) {
        platform::prompter().message(kNoSoundOutputMessage);
        return;
    }
    const analysis::PlayChannelChoice choice = analysis::playChannelChoice(m_session.options());
    if (choice.chosen < 0) return;
    int slot = choice.chosen;
    if (choice.askUser) {
        const std::optional<int> picked = m_chooseChannel(choice);
        if (!picked || *picked < 0 || *picked >= kSlots) return;
        slot = *picked;
    }

    const SampleRecord& rec = m_session.event().sample;
    std::vector<std::int16_t> buffer;
    std::int32_t rateHz = 0;
    try {
        buffer = analysis::playBuffer(rec.sampleData.row(slot));
        rateHz = cLng(rec.frq);
    } catch (const Error& e) {
        if (e.text() == analysis::kSilentChannelMessage) {
            platform::prompter().message(m_session.texts().text("play", "silent"));
        } else {
            PrompterReporter reporter(platform::Severity::Error);
            report::reportError(reporter, e);
        }
        return;
    }
    // The player may still hold the previous file open.
    if (m_player) m_player->stop();
    if (!analysis::writeWav(buffer, rateHz, m_soundFile)) return;
    player().play(m_soundFile);
}

}  // namespace krnz::gui
