// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a macro file: loaded and, when accepted, run through the operator chain on a
// small event.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "core/analysis/chain_runner.h"
#include "core/analysis/macro_file.h"
#include "core/analysis/reporter.h"
#include "core/common/error.h"
#include "core/event/units.h"
#include "fuzz_input.h"

namespace {

class Silent final : public krnz::analysis::Reporter {
  public:
    void message(const std::string&) override {}
};

krnz::Event smallEvent() {
    krnz::Event e;
    krnz::SampleRecord& r = e.sample;
    r.nSamplesPerChannel = 256;
    r.frq = 1000;
    r.sampleInterval = 0.001;
    r.nSecPerChannel = 0.256f;
    r.sampleData = krnz::SampleMatrix(256);
    for (int c = 0; c < krnz::kSlots; ++c) {
        for (int i = 0; i < 256; ++i)
            r.sampleData(c, i) = static_cast<float>((i * (c + 3)) % 17 - 8);
        e.channels[c].sensorKind = 1;
        e.channels[c].unit = c == 3 ? krnz::kUnitPa : krnz::kUnitMmPerS;
        krnz::setDerivedUnits(e.channels[c]);
        r.curUnit[c] = e.channels[c].unit;
    }
    krnz::calcMinMax(r);
    return e;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path file = fuzz::scratchDir("fuzz_macro") / "macro";
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    Silent reporter;
    try {
        const auto lists = krnz::analysis::readMacroFile(file, krnz::builtinEnglish(), reporter);
        if (lists) {
            krnz::Event event = smallEvent();
            krnz::analysis::runOperatorLists(event, krnz::analysis::parseLists(*lists),
                                             krnz::builtinEnglish(), reporter);
        }
    } catch (const krnz::Error&) {
    }
    return 0;
}
