// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <iostream>
#include <span>

#include "cli/commands.h"
#include "cli/json_writer.h"
#include "core/event/units.h"
#include "core/spectrum/data_window.h"
#include "core/spectrum/fft_texts.h"
#include "core/spectrum/frequency_analysis.h"
#include "core/spectrum/max_amp_freq.h"

namespace krnz::cli {
namespace {

void writeNumbers(JsonWriter& json, std::span<const double> numbers) {
    json.beginArray();
    for (const double v : numbers) json.value(v);
    json.endArray();
}

}  // namespace

int runSpectrum(const Options& options) {
    if (!options.first || !options.last) throw UsageError("spectrum needs --first I and --last J");
    if (*options.first < 0) throw UsageError("--first must not be negative");
    const int windowType = spectrum::windowTypeOfKey(options.window);
    const int spectrumType = spectrum::spectrumTypeOfKey(options.kind);

    const Workspace workspace = loadWorkspace(options);
    const Event& event = workspace.event();
    const long long n = event.sample.nSamplesPerChannel;
    const long long last = std::min(*options.last, n - 1);
    if (*options.first > last) {
        throw UsageError("--first " + std::to_string(*options.first) + " lies after --last " +
                         std::to_string(last) + " (the event has " + std::to_string(n) +
                         " samples)");
    }
    if (windowType == spectrum::kWindowGeo &&
        last - *options.first + 1 < spectrum::kGeoMinSamples) {
        throw UsageError("--window geo needs a segment of at least " +
                         std::to_string(spectrum::kGeoMinSamples) + " samples");
    }
    spectrum::Segment segment;
    segment.first = static_cast<std::int32_t>(*options.first);
    segment.last = static_cast<std::int32_t>(last);

    const spectrum::SpectrumRun run =
        spectrum::computeSpectra(event.sample, segment, windowType, spectrumType);

    JsonWriter json;
    json.beginObject();
    json.key("N").value(run.n);
    json.key("M").value(run.m);
    json.key("first").value(run.segment.first);
    json.key("last").value(run.segment.last);
    json.key("tStart").value(run.tStart);
    json.key("tEnd").value(run.tEnd);
    json.key("window").value(spectrum::windowKey(windowType));
    json.key("kind").value(spectrum::spectrumKey(spectrumType));
    json.key("A").value(run.A);
    json.key("B").value(run.B);
    json.key("channels").beginArray();
    for (int c = 0; c < kSlots; ++c) {
        const int unit = workspace.displayedUnit(c);
        const std::string& name = unitName(unit);
        const std::vector<double>& values = run.values[static_cast<std::size_t>(c)];
        json.beginObject();
        json.key("slot").value(c);
        json.key("unit").value(unit);
        json.key("unitName").value(name);
        json.key("yUnit").value(spectrum::spectrumYUnit(spectrumType, name));
        json.key("maxAmpFreq").value(spectrum::maxAmpFreq(run.freqs, values));
        json.key("freqs");
        writeNumbers(json, run.freqs);
        json.key("values");
        writeNumbers(json, values);
        json.endObject();
    }
    json.endArray();
    json.endObject();
    std::cout << json.str() << '\n';
    return 0;
}

}  // namespace krnz::cli
