// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/event/event.h"

namespace krnz {

// Peak value of a slot: the larger magnitude of its extremes (the PPV of a velocity channel).
double peakValue(const SampleRecord& rec, int slot);

// Largest magnitude of the vector of slots 0..2; sets rec.vectorMaxTime (s from the trigger).
double calcVectorMax(SampleRecord& rec);

// Peak of the derivative in the slot's diffUnit and of the integral in its integUnit.
double diffPeak(const Event& event, int slot);
double integPeak(const Event& event, int slot);

// Zero-crossing frequency (Hz) of the half period that holds the slot's peak.
double peakMaxFrq(const SampleRecord& rec, int slot);

// Frequency (Hz) of the half period from sample a to sample b, the crossings placed by linear
// interpolation.
double zeroCrossFrq(const SampleRecord& rec, int slot, std::int32_t a, std::int32_t b);

// Fills rec.highAmps/highAmpFrqs of a slot with its half-waves (mm/s, Hz): with nPeaks set,
// exactly that many entries holding the largest half-waves (unused ones 0); without it, every
// complete half-wave in order.
void calchighamps(Event& event, int slot, std::optional<int> nPeaks);
// The same lists, written to amps and frqs instead of the record.
void halfWaves(const Event& event, int slot, std::optional<int> nPeaks, std::vector<double>& amps,
               std::vector<double>& frqs);

// The numbers the channel panel shows for one slot.
struct ChannelMeasures {
    double peak = 0.0;
    double diffPeak = 0.0;
    double integPeak = 0.0;
    double peakFrq = 0.0;
};

// The measures of every slot, the slots measured side by side on the machine's cores.
std::array<ChannelMeasures, kSlots> measureChannels(const Event& event);

// calchighamps for every slot, side by side.
void calcAllHighAmps(Event& event, std::optional<int> nPeaks);

// Sound-pressure level of a value in a pressure unit, rounded to 3 significant digits; nullopt
// when it is undefined (no pressure).
std::optional<double> pressureLevelDb(double value, int unit);

// The same as text: "undef" when undefined.
std::string pressureDb(double value, int unit);

}  // namespace krnz
