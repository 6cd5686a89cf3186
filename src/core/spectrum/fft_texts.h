// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace krnz::spectrum {

// "fft", "psd", "esd" (anything else "esd", as the heading reads it): the command line's names
// and the language keys of the wizard.
std::string spectrumKey(int spectrumType);

// The y unit of a graph for a channel whose unit is named unitName: "mm/s   RMS",
// "(mm/s)^2 / Hz", "(mm/s)^2 * s / Hz".
std::string spectrumYUnit(int spectrumType, const std::string& unitName);

}  // namespace krnz::spectrum
