// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as an event file, both channel groups: read or refused, then measured and described
// as the program does after opening. A small input may declare a long record (the reader lets a
// header promise far more than the file holds); the cap on samples keeps each try short, so the
// time goes into the header's many paths rather than into measuring zeros.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/analysis/measurements.h"
#include "core/analysis/panel_texts.h"
#include "core/event/event_reader.h"
#include "fuzz_input.h"

namespace {

// Enough for the shortest record of each KRN model.
constexpr std::int32_t kMaxSamples = 5000;
constexpr std::int32_t kMeasured = 256;

void shorten(krnz::SampleRecord& rec) {
    if (rec.nSamplesPerChannel <= kMeasured) return;
    krnz::SampleMatrix first(kMeasured);
    for (int c = 0; c < krnz::kSlots; ++c)
        for (std::int32_t i = 0; i < kMeasured; ++i) first(c, i) = rec.sampleData(c, i);
    rec.sampleData = std::move(first);
    rec.nSamplesPerChannel = kMeasured;
    krnz::calcMinMax(rec);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Only the K200 model has a second channel group; the other layouts read the same for both.
    const std::string tag(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 8));
    const int groups = krnz::fileFormatOfTag(tag) == krnz::kFormatK200 ? 2 : 1;
    for (int group = 1; group <= groups; ++group) {
        try {
            const krnz::ReadOptions options{group, kMaxSamples};
            krnz::LoadedEvent loaded = krnz::readEventBytes({data, size}, options);
            krnz::Event& event = loaded.event;
            // The measures over any samples have a target of their own (fuzz_measurements);
            // here what the header makes of the panels matters, and a short stretch of the
            // samples read serves it as well as thousands.
            shorten(event.sample);
            krnz::calcAllHighAmps(event, 16);
            krnz::setMainWindowTexts(event, krnz::PanelInputs{}, krnz::builtinEnglish());
        } catch (const krnz::Error&) {
        }
    }
    return 0;
}
