// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as an event file, both channel groups: read or refused, then measured and described
// as the program does after opening.
#include <cstddef>
#include <cstdint>

#include "core/analysis/measurements.h"
#include "core/analysis/panel_texts.h"
#include "core/event/event_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (int group : {1, 2}) {
        try {
            krnz::LoadedEvent loaded = krnz::readEventBytes({data, size}, krnz::ReadOptions{group});
            krnz::Event& event = loaded.event;
            krnz::calcAllHighAmps(event, std::nullopt);
            krnz::calcAllHighAmps(event, 16);
            krnz::setMainWindowTexts(event, krnz::PanelInputs{}, krnz::builtinEnglish());
        } catch (const krnz::Error&) {
        }
    }
    return 0;
}
