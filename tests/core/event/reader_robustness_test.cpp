// SPDX-License-Identifier: GPL-3.0-or-later
// Damaged files of every layout: the reader either reads them or throws krnz::Error; it never
// crashes, hangs or touches memory it does not own (the suite runs under AddressSanitizer).
#include <gtest/gtest.h>

#include <random>

#include "core/analysis/panel_texts.h"
#include "core/event/event_reader.h"
#include "k100_writer.h"
#include "k200_writer.h"
#include "realistic_events.h"
#include "support/temp_dir.h"
#include "tremolog_writer.h"

namespace krnz {
namespace {

namespace gen = eventgen;

struct Layout {
    const char* name;
    std::vector<std::uint8_t> (*make)();
};

std::vector<std::uint8_t> k100() {
    return gen::writeK100(gen::makeRealisticK100(0, 3));
}
std::vector<std::uint8_t> k200() {
    return gen::writeK200(gen::makeRealisticK200(0, 3));
}
std::vector<std::uint8_t> tremolog() {
    return gen::writeTremolog(gen::makeRealisticTremolog(1000, 3000, 3));
}

class DamagedFiles : public ::testing::TestWithParam<Layout> {};

TEST_P(DamagedFiles, ReadOrRefusedNeverWorse) {
    const std::vector<std::uint8_t> original = GetParam().make();
    test::TempDir dir;
    std::mt19937 rng(20261207);
    int read = 0, refused = 0;
    for (int round = 0; round < 400; ++round) {
        std::vector<std::uint8_t> bytes = original;
        const int flips = 1 + static_cast<int>(rng() % 6);
        for (int f = 0; f < flips; ++f) {
            // Mostly the header, where every field is interpreted.
            const std::size_t at = rng() % 4 ? rng() % 512 : rng() % bytes.size();
            bytes[at] = static_cast<std::uint8_t>(rng());
        }
        if (round % 7 == 0) bytes.resize(rng() % bytes.size());
        const auto path =
            dir.write(std::string("event") + (round % 2 ? ".001" : ".tremolog"), bytes);
        for (int group : {1, 2}) {
            try {
                LoadedEvent loaded = readDatafile(path, ReadOptions{group, std::nullopt});
                ++read;
                // What the panels make of whatever was read must not fail worse either.
                try {
                    setMainWindowTexts(loaded.event, PanelInputs{}, builtinEnglish());
                } catch (const Error&) {
                }
            } catch (const Error&) {
                ++refused;
            }
        }
    }
    EXPECT_GT(read, 0);
    EXPECT_GT(refused, 0);
}

INSTANTIATE_TEST_SUITE_P(Layouts, DamagedFiles,
                         ::testing::Values(Layout{"K100", k100}, Layout{"K200", k200},
                                           Layout{"Tremolog", tremolog}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace krnz
