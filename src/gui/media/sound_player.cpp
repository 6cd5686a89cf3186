// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/media/sound_player.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QString>
#include <QUrl>
#include <iostream>

namespace krnz::gui {
namespace {

// QSoundEffect plays a PCM WAV file from memory without a media pipeline; a machine without
// audio, or without the pipeline's plug-ins, only gets a silent effect instead of a crash.
class SystemSoundPlayer final : public SoundPlayer {
  public:
    SystemSoundPlayer() {
        QObject::connect(&m_effect, &QSoundEffect::statusChanged, &m_effect, [this] {
            if (m_effect.status() == QSoundEffect::Error) {
#ifndef NDEBUG
                std::cerr << "sound not played: " << m_effect.source().toString().toStdString()
                          << '\n';
#endif
            }
        });
    }

    void play(const std::filesystem::path& wavFile) override {
        stop();
        m_effect.setSource(QUrl::fromLocalFile(QString::fromStdString(wavFile.string())));
        // Plays as soon as the file is loaded, in the background.
        m_effect.play();
    }

    void stop() override {
        m_effect.stop();
        // The same name again would count as no change, and the sample loaded from the old
        // content would play once more.
        m_effect.setSource(QUrl());
    }

    bool hasOutput() const override {
        return !QMediaDevices::audioOutputs().isEmpty();
    }

  private:
    QSoundEffect m_effect;
};

}  // namespace

std::unique_ptr<SoundPlayer> makeSystemSoundPlayer() {
    return std::make_unique<SystemSoundPlayer>();
}

}  // namespace krnz::gui
