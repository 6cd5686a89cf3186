// SPDX-License-Identifier: GPL-3.0-or-later
#include "fft/fft_texts.h"

#include "fft/frequency_analysis.h"

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
