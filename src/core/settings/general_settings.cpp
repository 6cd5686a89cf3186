// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/general_settings.h"

#include "core/settings/ini_document.h"
#include "core/settings/ini_values.h"

#include <algorithm>
#include <cmath>

namespace krnz::settings {
namespace {

constexpr std::string_view kGeneral = "general";
constexpr std::string_view kFft = "fft";

template <typename T, typename Parse>
void readValue(const IniDocument& file, std::string_view section, std::string_view key, Parse parse,
               T& value) {
    if (const auto parsed = parse(file.get(section, key, iniText(value)))) {
        value = *parsed;
    }
}

void writeOne(const std::filesystem::path& path, std::string_view key, const std::string& value) {
    IniDocument file = IniDocument::load(path);
    file.set(kGeneral, key, value);
    if (file.modified()) {
        file.save();
    }
}

}  // namespace

GeneralSettings readGeneralSettings(const std::filesystem::path& path,
                                    const std::filesystem::path& defaultFolder) {
    const IniDocument file = IniDocument::load(path);
    GeneralSettings settings;

    // Clamped rather than rejected, so that 7 opens the dialog on the last filter.
    if (const auto filter = parseNumber(file.get(kGeneral, "file_filter", "1"))) {
        settings.fileFilter =
            static_cast<std::int16_t>(std::clamp(std::nearbyint(*filter), 1.0, 3.0));
    }
    settings.language = file.get(kGeneral, "language", settings.language);
    settings.mainWindowStored = file.find(kGeneral, "sizeWidth").has_value();
    readValue(file, kGeneral, "sizeWidth", parseLong, settings.sizeWidth);
    readValue(file, kGeneral, "sizeHeight", parseLong, settings.sizeHeight);
    readValue(file, kGeneral, "sizeleft", parseSingle, settings.sizeLeft);
    readValue(file, kGeneral, "sizeTop", parseSingle, settings.sizeTop);
    settings.workDir = file.get(kGeneral, "workDir", defaultFolder.string());
    settings.pictureDir = file.get(kGeneral, "pictureDir", defaultFolder.string());

    FftSettings& fft = settings.fft;
    readValue(file, kFft, "fftsizeleft", parseLong, fft.fftsizeLeft);
    readValue(file, kFft, "fftsizeTop", parseLong, fft.fftsizeTop);
    readValue(file, kFft, "fftsizeWidth", parseLong, fft.fftsizeWidth);
    readValue(file, kFft, "fftsizeHeight", parseLong, fft.fftsizeHeight);
    readValue(file, kFft, "fftwinstate", parseByte, fft.fftwinstate);
    readValue(file, kFft, "fftwindow", parseByte, fft.fftwindow);
    readValue(file, kFft, "fftspectra", parseByte, fft.fftspectra);
    return settings;
}

void writeGeneralSettings(const std::filesystem::path& path, const GeneralSettings& settings) {
    IniDocument file = IniDocument::load(path);
    file.set(kGeneral, "file_filter", iniText(settings.fileFilter));
    file.set(kGeneral, "language", settings.language);
    file.set(kGeneral, "sizeWidth", iniText(settings.sizeWidth));
    file.set(kGeneral, "sizeHeight", iniText(settings.sizeHeight));
    file.set(kGeneral, "sizeLeft", iniText(settings.sizeLeft));
    file.set(kGeneral, "sizeTop", iniText(settings.sizeTop));
    file.set(kGeneral, "winstate", iniText(settings.winstate));

    const FftSettings& fft = settings.fft;
    file.set(kFft, "fftsizeLeft", iniText(fft.fftsizeLeft));
    file.set(kFft, "fftsizeTop", iniText(fft.fftsizeTop));
    file.set(kFft, "fftsizeWidth", iniText(fft.fftsizeWidth));
    file.set(kFft, "fftsizeHeight", iniText(fft.fftsizeHeight));
    file.set(kFft, "fftwinstate", iniText(fft.fftwinstate));
    file.set(kFft, "fftwindow", iniText(fft.fftwindow));
    file.set(kFft, "fftspectra", iniText(fft.fftspectra));
    if (file.modified()) {
        file.save();
    }
}

WindowGeometry firstMainWindowPlacement(const WindowGeometry& workArea) {
    const double width = workArea.width * 0.8;
    const double height = workArea.height * 0.8;
    return {workArea.left + (workArea.width - width) / 2,
            workArea.top + (workArea.height - height) / 2, width, height};
}

WindowGeometry storedMainWindow(const GeneralSettings& settings) {
    return {settings.sizeLeft, settings.sizeTop, static_cast<double>(settings.sizeWidth),
            static_cast<double>(settings.sizeHeight)};
}

WindowGeometry storedFftWindow(const FftSettings& settings) {
    return {static_cast<double>(settings.fftsizeLeft), static_cast<double>(settings.fftsizeTop),
            static_cast<double>(settings.fftsizeWidth),
            static_cast<double>(settings.fftsizeHeight)};
}

void rememberWorkDir(const std::filesystem::path& path, const std::string& folder) {
    writeOne(path, "workDir", folder);
}

void rememberPictureDir(const std::filesystem::path& path, const std::string& folder) {
    writeOne(path, "pictureDir", folder);
}

}  // namespace krnz::settings
