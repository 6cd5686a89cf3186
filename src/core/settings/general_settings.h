// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/window_placement.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace krnz::settings {

// Placement and choices of the spectrum window, section "fft"; kept with the general settings
// and applied by the spectrum window.
struct FftSettings {
    std::int32_t fftsizeLeft = 10;  // twips
    std::int32_t fftsizeTop = 10;
    std::int32_t fftsizeWidth = 9000;
    std::int32_t fftsizeHeight = 6000;
    std::uint8_t fftwinstate = 0;  // 0 normal, 1 minimised, 2 maximised
    std::uint8_t fftwindow = 0;    // window-function index
    std::uint8_t fftspectra = 0;   // spectrum-type index

    bool operator==(const FftSettings&) const = default;
};

// The general settings file "krnz.ini", read once at start and written once at close.
struct GeneralSettings {
    std::int16_t fileFilter = 1;  // open dialog filter 1..3, clamped when read
    std::string language = "english.txt";
    std::int32_t sizeWidth = 9000;  // main window, twips
    std::int32_t sizeHeight = 6000;
    float sizeLeft = 10;
    float sizeTop = 10;
    // The file held the main window's size: false on a first start, which then opens the
    // window at a size that suits the screen (firstMainWindowPlacement).
    bool mainWindowStored = false;
    std::int16_t winstate = 0;  // main window state at close; written, never read
    std::string workDir;        // folder of the last opened event
    std::string pictureDir;     // folder of the last saved picture
    FftSettings fft;

    bool operator==(const GeneralSettings&) const = default;
};

// Reads sections "general" and "fft" in one pass. A missing key, or a value that is not a
// number of the key's type (letters in "sizeWidth", a Byte of 300), gives the default;
// "file_filter" is clamped to 1..3. "workDir" and "pictureDir" default to `defaultFolder`.
GeneralSettings readGeneralSettings(const std::filesystem::path& file,
                                    const std::filesystem::path& defaultFolder);

// Writes what the program stores at close: "file_filter", "language", the main window's
// placement and state, and section "fft", in one atomic write. "workDir" and "pictureDir" are
// not written here: they are stored the moment they change (rememberWorkDir,
// rememberPictureDir), so a stale copy never overwrites them. Throws krnz::Error.
void writeGeneralSettings(const std::filesystem::path& file, const GeneralSettings& settings);

// The stored geometries, for placeWindow.
WindowGeometry storedMainWindow(const GeneralSettings& settings);
// A main window with nothing stored: 80 % of the work area, centred in it.
WindowGeometry firstMainWindowPlacement(const WindowGeometry& workArea);
WindowGeometry storedFftWindow(const FftSettings& settings);

void rememberWorkDir(const std::filesystem::path& file, const std::string& folder);
void rememberPictureDir(const std::filesystem::path& file, const std::string& folder);

}  // namespace krnz::settings
