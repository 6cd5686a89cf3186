// SPDX-License-Identifier: GPL-3.0-or-later
// Any macro text and any four rows run through the toolbox's chain as the command line runs it
// (source channels and peak interpolation chosen too). Rows that go in finite must come out
// finite while the chain is too short to overflow honestly: at most kMaxEntries operators on
// values of at most kMaxInput. Integration multiplies by at most 2000 times the record's length
// and two of them need a differentiation between them, so even the longest record's worst chain
// stays far inside the float range (the filters, weightings and resultants only add small
// factors).
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/analysis/batch_chain.h"
#include "core/analysis/macro_file.h"
#include "core/common/error.h"
#include "core/event/units.h"
#include "fuzz_input.h"

namespace {

constexpr std::size_t kMaxEntries = 6;
constexpr float kMaxInput = 1e4f;

class Silent final : public krnz::analysis::Reporter {
  public:
    void message(const std::string&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path file = fuzz::scratchDir("fuzz_operator_chain") / "macro";
    fuzz::Input in(data, size);
    const std::uint8_t units = in.u8();
    const std::uint8_t sources = in.u8();
    const std::uint8_t intOn = in.u8();
    const double frq = fuzz::sampleRate(in.u8());
    const std::string_view macro = in.bytes(in.u16() % 4096);
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(macro.data(), static_cast<std::streamsize>(macro.size()));

    krnz::Event event = fuzz::eventOfRows(in, frq);
    krnz::SampleRecord& rec = event.sample;
    // Velocity, acceleration, displacement or pressure in each slot, so that every operator
    // finds a unit it accepts somewhere.
    constexpr std::uint8_t kUnits[] = {
        krnz::kUnitMmPerS, 4, krnz::kUnitMicrometre, krnz::kUnitPa, krnz::kUnitIps, 5, 1,
        krnz::kUnitPsi};
    for (int c = 0; c < krnz::kSlots; ++c) {
        krnz::ChannelRecord& ch = event.channels[c];
        ch.sensorKind = 1;
        ch.unit = kUnits[((units >> (2 * c)) & 3) | (c == 3 ? 4 : 0)];
        krnz::setDerivedUnits(ch);
        rec.curUnit[c] = ch.unit;
    }
    krnz::calcMinMax(rec);

    krnz::analysis::BatchChainOptions options;
    options.macroFile = file;
    for (int r = 0; r < krnz::kSlots; ++r) {
        options.sourceChannel[r] = 1 + ((sources >> (2 * r)) & 3);
        options.intOn[r] = (intOn >> r) & 1;
    }
    std::array<bool, krnz::kSlots> sourceFinite{};
    for (int c = 0; c < krnz::kSlots; ++c) {
        const std::span<const float> x = rec.sampleData.row(c);
        sourceFinite[c] = std::all_of(x.begin(), x.end(), [](float v) {
            return std::isfinite(v) && std::fabs(v) <= kMaxInput;
        });
    }

    Silent reporter;
    std::size_t entries = 0;
    try {
        const auto lists = krnz::analysis::readMacroFile(file, krnz::builtinEnglish(), reporter);
        if (lists)
            for (const auto& row : *lists) entries += row.size();
        if (!krnz::analysis::runChainOnEvent(event, options, krnz::builtinEnglish(), reporter))
            return 0;
    } catch (const krnz::Error&) {
        return 0;
    }
    // A resultant may bring any row into any other, so every source must be finite.
    const bool allSourcesFinite =
        sourceFinite[0] && sourceFinite[1] && sourceFinite[2] && sourceFinite[3];
    if (allSourcesFinite && entries <= kMaxEntries)
        for (int r = 0; r < krnz::kSlots; ++r) FUZZ_CHECK(fuzz::allFinite(rec.sampleData.row(r)));
    return 0;
}
