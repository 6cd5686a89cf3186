// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/general_settings.h"

#include "core/settings/file_bytes.h"
#include "core/settings/ini_document.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace krnz::settings {
namespace {

using test::writeBytes;

TEST(GeneralSettings, NoFileGivesTheDefaults) {
    test::TempDir dir;
    const GeneralSettings settings = readGeneralSettings(dir.path() / "krnz.ini", "/opt/krnz");
    GeneralSettings expected;
    expected.workDir = "/opt/krnz";
    expected.pictureDir = "/opt/krnz";
    EXPECT_EQ(settings, expected);
}

TEST(GeneralSettings, FileFilterIsClampedAndBadNumbersFallBackToDefaults) {
    struct Case {
        const char* stored;
        std::int16_t fileFilter;
    };
    const Case cases[] = {{"7", 3},   {"0", 1},     {"-4", 1}, {"2", 2},
                          {"2.5", 2}, {"99999", 3}, {"two", 1}};
    test::TempDir dir;
    const auto path = dir.path() / "krnz.ini";
    for (const auto& c : cases) {
        writeBytes(path, std::string("[general]\r\nfile_filter=") + c.stored +
                             "\r\nsizeWidth=12O00\r\nsizeTop=abc\r\n[fft]\r\nfftwindow=300\r\n");
        const GeneralSettings settings = readGeneralSettings(path, "/");
        EXPECT_EQ(settings.fileFilter, c.fileFilter) << c.stored;
        EXPECT_EQ(settings.sizeWidth, 9000);  // letter O instead of zero
        EXPECT_EQ(settings.sizeTop, 10.0f);
        EXPECT_TRUE(settings.mainWindowStored) << "a size was stored, though unreadable";
        EXPECT_EQ(settings.fft.fftwindow, 0);  // not a Byte
    }
}

TEST(GeneralSettings, RoundTripWithTheWrittenSpellingOfLeftEdges) {
    test::TempDir dir;
    const auto path = dir.path() / "krnz.ini";
    writeBytes(path, "[general]\nworkDir=/data/events/\n");  // stored when an event was opened
    GeneralSettings settings;
    settings.fileFilter = 2;
    settings.language = "svenska.txt";
    settings.sizeWidth = 12000;
    settings.sizeHeight = 8000;
    settings.sizeLeft = 15.5f;
    settings.sizeTop = -30;
    settings.winstate = 2;
    settings.fft = {100, 200, 7000, 5000, 1, 2, 1};
    writeGeneralSettings(path, settings);

    const IniDocument file = IniDocument::load(path);
    EXPECT_EQ(file.keyNames("general"),
              (std::vector<std::string>{"workDir", "file_filter", "language", "sizeWidth",
                                        "sizeHeight", "sizeLeft", "sizeTop", "winstate"}));
    EXPECT_EQ(file.keyNames("fft").front(), "fftsizeLeft");

    GeneralSettings expected = settings;
    expected.winstate = 0;  // written, never read
    expected.mainWindowStored = true;
    expected.workDir = "/data/events/";
    expected.pictureDir = "/home";
    EXPECT_EQ(readGeneralSettings(path, "/home"), expected);

    rememberPictureDir(path, "/data/pictures/");
    EXPECT_EQ(readGeneralSettings(path, "/home").pictureDir, "/data/pictures/");
}

TEST(WindowPlacement, FirstStartTakesFourFifthsOfTheWorkAreaCentred) {
    EXPECT_EQ(firstMainWindowPlacement({0, 0, 24000, 15000}),
              (WindowGeometry{2400, 1500, 19200, 12000}));
    // A work area that does not start at the origin (a panel on the left or at the top).
    EXPECT_EQ(firstMainWindowPlacement({600, 300, 10000, 5000}),
              (WindowGeometry{1600, 800, 8000, 4000}));
}

TEST(WindowPlacement, AWindowLargerThanTheWorkAreaIsFittedToIt) {
    struct Case {
        WindowGeometry workArea;
        WindowGeometry placed;
    };
    const WindowGeometry stored{10, 10, 9000, 6000};
    const Case cases[] = {
        {{0, 0, 28800, 16200}, {10, 10, 9000, 6000}},
        {{0, 0, 9000, 6000}, {10, 10, 9000, 6000}},  // exactly as large: kept
        {{0, 0, 8999, 16200}, {0, 10, 8999, 6000}},
        {{0, 0, 28800, 5000}, {10, 0, 9000, 5000}},
        {{0, 0, 4000, 3000}, {0, 0, 4000, 3000}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(placeWindow(stored, c.workArea), c.placed) << c.workArea.width;
    }
    GeneralSettings settings;
    settings.sizeLeft = 20;
    EXPECT_EQ(placeWindow(storedMainWindow(settings), {0, 0, 5000, 30000}),
              (WindowGeometry{0, 10, 5000, 6000}));
}

}  // namespace
}  // namespace krnz::settings
