// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/spectrum/fft_texts.h"

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

}  // namespace krnz::spectrum
