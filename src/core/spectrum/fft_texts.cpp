// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/spectrum/fft_texts.h"

#include <algorithm>
#include <cctype>

#include "core/common/error.h"
#include "core/event/units.h"
#include "core/spectrum/data_window.h"
#include "core/spectrum/frequency_analysis.h"

namespace krnz::spectrum {

std::string spectrumKey(int spectrumType) {
    switch (spectrumType) {
        case kSpectrumFft:
            return "fft";
        case kSpectrumPsd:
            return "psd";
        default:
            return "esd";
    }
}

int spectrumTypeOfKey(std::string_view key) {
    if (key == "fft") return kSpectrumFft;
    if (key == "psd") return kSpectrumPsd;
    return kSpectrumEsd;
}

int windowTypeOfKey(std::string_view key) {
    if (key == "rect") return kWindowRect;
    if (key == "geo") return kWindowGeo;
    return kWindowHanning;
}

std::string spectrumYUnit(int spectrumType, const std::string& unitName) {
    switch (spectrumType) {
        case kSpectrumFft:
            return unitName + "   RMS";
        case kSpectrumPsd:
            return "(" + unitName + ")^2 / Hz";
        default:
            return "(" + unitName + ")^2 * s / Hz";
    }
}

std::array<std::string, kSlots> spectrumYUnits(const Event& event, bool processed,
                                               int spectrumType) {
    std::array<std::string, kSlots> units;
    for (int c = 0; c < kSlots; ++c) {
        const int unit = displayedUnit(event, processed, c);
        std::string name;
        try {
            name = unitName(unit);
        } catch (const Error&) {
            name = unitName(kUnitUndef);
        }
        units[static_cast<std::size_t>(c)] = spectrumYUnit(spectrumType, name);
    }
    return units;
}

std::string spectrumHeading(int spectrumType, int windowType, const TextLookup& texts) {
    std::string kind = spectrumKey(spectrumType);
    std::transform(kind.begin(), kind.end(), kind.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return kind + " " + texts.text("frqpre", windowKey(windowType));
}

}  // namespace krnz::spectrum
