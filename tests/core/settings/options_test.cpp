// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/options.h"

#include "core/settings/file_bytes.h"
#include "core/settings/ini_document.h"
#include "core/settings/language_files.h"
#include "core/settings/scale_table.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace krnz::settings {
namespace {

namespace fs = std::filesystem;
using test::writeBytes;

Options readFrom(const fs::path& file, Options options = {}) {
    readOptions(file, options);
    return options;
}

TEST(ScaleTable, FiftyThreeValuesWithTheRepeatedRun) {
    const auto& table = scaleTable();
    ASSERT_EQ(table.size(), 53u);
    for (std::size_t i = 1; i < table.size(); ++i) {
        if (i >= 42 && i <= 48) {
            EXPECT_EQ(table[i], table[i - 7]) << i;
        } else if (i != 49) {
            EXPECT_GT(table[i], table[i - 1]) << i;
        }
    }
    EXPECT_EQ(table[0], 0.1);
    EXPECT_EQ(table[49], 100000);
    EXPECT_EQ(table[52], 250000);
    EXPECT_EQ(scaleTableText(1), "0.125");
    EXPECT_EQ(scaleTableText(49), "100000");
    EXPECT_EQ(scalePositionOf(80000), 41u);
}

TEST(Options, AMissingFileGivesTheDefaults) {
    test::TempDir dir;
    const Options options = readFrom(dir.path() / "option.ini");
    EXPECT_EQ(options, Options{});
    EXPECT_EQ(getManualScale(options, 3), 8.0);
    EXPECT_EQ(options.slotOptions[0].colors.bkColor, 8454143);
}

TEST(Options, RoundTripWithTheExactKeys) {
    test::TempDir dir;
    const auto path = dir.path() / "option.ini";
    Options options;
    options.printInColor = true;
    options.tab = 2;
    options.printerDataReduction = 3;
    options.slotOptions[1].colors = {1, 2, 3, 4, 16777215};
    options.slotOptions[2].ampScale = AmpScale::Manual;
    options.slotOptions[2].manualScale = 0;
    options.slotOptions[3].manualScale = 52;
    options.slotOptions[3].channelOn = CheckState::Unchecked;
    options.slotOptions[1].channelOn = CheckState::Greyed;
    options.drawStyle = DrawStyle::Pixels;
    writeOptions(path, options);

    const IniDocument file = IniDocument::load(path);
    const std::pair<std::string, std::string> stored[] = {
        {"general/printInColor", "True"},      {"general/tab", "2"},
        {"general/printerDataReduction", "3"}, {"graphic/backColor1", "1"},
        {"graphic/refColor1", "16777215"},     {"graphic/gridColor0", "8355711"},
        {"graphic/drawStyle", "pixel"},        {"scale/ampScale0", "normalize"},
        {"scale/ampScale2", "manual"},         {"scale/manualScale2", "0.1"},
        {"scale/manualScale3", "250000"},      {"scale/channelOn3", "False"},
        {"scale/channelOn0", "True"},          {"scale/channelOn1", "False"},
    };
    for (const auto& [where, value] : stored) {
        const auto slash = where.find('/');
        EXPECT_EQ(file.find(where.substr(0, slash), where.substr(slash + 1)), value) << where;
    }
    Options expected = options;
    // "False" never unchecks a box; the drawing style comes back as stored.
    expected.slotOptions[1].channelOn = CheckState::Checked;
    expected.slotOptions[3].channelOn = CheckState::Checked;
    EXPECT_EQ(readFrom(path), expected);
}

TEST(Options, ManualScaleSelectsTheFirstEqualPosition) {
    struct Case {
        const char* stored;
        std::size_t position;
    };
    const Case cases[] = {{"10000", 35},  {"25000", 38}, {"1E4", 35},  {"0.125", 1},
                          {"100000", 49}, {"7", 0},      {"eight", 0}, {"", 0}};
    test::TempDir dir;
    const auto path = dir.path() / "option.ini";
    for (const auto& c : cases) {
        writeBytes(path, std::string("[scale]\r\nmanualScale0=") + c.stored + "\r\n");
        EXPECT_EQ(readFrom(path).slotOptions[0].manualScale, c.position) << c.stored;
    }

    Options options;
    options.slotOptions[0].manualScale = 45;  // the second 25000
    writeOptions(path, options);
    EXPECT_EQ(readFrom(path).slotOptions[0].manualScale, 38u);
    EXPECT_EQ(getManualScale(readFrom(path), 0), 25000);
}

TEST(Options, ReadingOnlySelectsWhatTheFileCanSelect) {
    test::TempDir dir;
    const auto path = dir.path() / "option.ini";
    writeBytes(path,
               "[general]\r\nprintInColor=False\r\ntab=5\r\nprinterDataReduction=2\r\n"
               "[graphic]\r\ndrawStyle=pixel\r\nbackColor0=-1\r\ncursorColor0=red\r\n"
               "[scale]\r\nampScale0=auto\r\nampScale1=manual\r\nampScale2=Manual\r\n"
               "channelOn0=TRUE\r\nchannelOn1=False\r\n");
    // What the user clicked before pressing Cancel.
    Options current;
    current.printInColor = true;
    current.tab = 0;
    current.drawStyle = DrawStyle::Pixels;
    current.slotOptions[0].ampScale = AmpScale::Manual;
    current.slotOptions[0].channelOn = CheckState::Greyed;
    current.slotOptions[1].channelOn = CheckState::Unchecked;
    current.slotOptions[2].ampScale = AmpScale::Auto;
    current.slotOptions[0].colors.bkColor = 123;

    Options expected = current;
    expected.printerDataReduction = 2;
    expected.slotOptions[0].channelOn = CheckState::Checked;
    expected.slotOptions[1].ampScale = AmpScale::Manual;
    EXPECT_EQ(readFrom(path, current), expected);
}

TEST(Options, DrawStyleSelectsLinesOrPixels) {
    struct Case {
        const char* file;
        DrawStyle before;
        DrawStyle after;
    };
    const Case cases[] = {
        {"[graphic]\r\ndrawStyle=pixel\r\n", DrawStyle::Lines, DrawStyle::Pixels},
        {"[graphic]\r\ndrawStyle=line\r\n", DrawStyle::Pixels, DrawStyle::Lines},
        {"[graphic]\r\n", DrawStyle::Pixels, DrawStyle::Lines},  // missing: the default
        {"[graphic]\r\ndrawStyle=dots\r\n", DrawStyle::Pixels, DrawStyle::Pixels},
        {"[graphic]\r\ndrawStyle=dots\r\n", DrawStyle::Lines, DrawStyle::Lines},
    };
    test::TempDir dir;
    const auto path = dir.path() / "option.ini";
    for (const Case& c : cases) {
        writeBytes(path, c.file);
        Options options;
        options.drawStyle = c.before;
        readOptions(path, options);
        EXPECT_EQ(options.drawStyle, c.after) << c.file;
    }
}

TEST(Options, DataReductionAcceptsOnlyItsFourEntries) {
    struct Case {
        const char* stored;
        int entry;
    };
    const Case cases[] = {{"0", 0}, {"3", 3}, {"4", 1}, {"-1", 1}, {"1.0", 1}, {"x", 1}};
    test::TempDir dir;
    const auto path = dir.path() / "option.ini";
    for (const auto& c : cases) {
        writeBytes(path, std::string("[general]\nprinterDataReduction=") + c.stored + "\n");
        Options options;
        options.printerDataReduction = 2;
        readOptions(path, options);
        EXPECT_EQ(options.printerDataReduction, c.entry) << c.stored;
    }
}

TEST(Options, TheLastShownChannelCannotBeSwitchedOff) {
    Options options;
    options.slotOptions[0].channelOn = CheckState::Greyed;
    options.slotOptions[1].channelOn = CheckState::Unchecked;
    options.slotOptions[3].channelOn = CheckState::Greyed;
    EXPECT_FALSE(setChannelOn(options, 2, false));
    EXPECT_EQ(options.slotOptions[2].channelOn, CheckState::Checked);
    EXPECT_TRUE(setChannelOn(options, 1, true));
    EXPECT_TRUE(setChannelOn(options, 2, false));
    EXPECT_EQ(options.slotOptions[2].channelOn, CheckState::Unchecked);
    EXPECT_THROW(setChannelOn(options, 4, true), std::out_of_range);
}

TEST(Options, PrinterDataReductionEntriesAreComposedInTheLanguage) {
    LanguageFiles files({fs::path(KRNZ_SOURCE_DIR) / "data" / "language"});
    files.checkLanguageFile("svenska.txt");
    const auto texts = printerDataReductionTexts(files);
    EXPECT_EQ(texts[0], "Maximal uppl\xC3\xB6sning");
    EXPECT_EQ(texts[3], "max 5% avvikelse");
}

}  // namespace
}  // namespace krnz::settings
