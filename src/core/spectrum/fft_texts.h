// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/event/event.h"
#include "core/settings/text_lookup.h"

namespace krnz::spectrum {

// "fft", "psd", "esd" (anything else "esd", as the heading reads it): the command line's names
// and the language keys of the wizard.
std::string spectrumKey(int spectrumType);
// The spectrum type a command-line name gives ("fft", "psd"; anything else ESD).
int spectrumTypeOfKey(std::string_view key);
// The data window a command-line name gives ("rect", "geo"; anything else Hanning).
int windowTypeOfKey(std::string_view key);

// The y unit of a graph for a channel whose unit is named unitName: "mm/s   RMS",
// "(mm/s)^2 / Hz", "(mm/s)^2 * s / Hz".
std::string spectrumYUnit(int spectrumType, const std::string& unitName);

// The y units of the four graphs, each for the unit its row is shown in (processed: after the
// operator chain). A unit code the name table lacks reads "undef".
std::array<std::string, kSlots> spectrumYUnits(const Event& event, bool processed,
                                               int spectrumType);

// The heading over the graphs: "FFT " and the window's name in the language ("FFT Hanning").
std::string spectrumHeading(int spectrumType, int windowType, const TextLookup& texts);

}  // namespace krnz::spectrum
