// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/event/event.h"
#include "core/report/page_target.h"
#include "core/report/print_choices.h"
#include "core/settings/options.h"

namespace krnz::report {

// What the channel strips are drawn from.
struct StripSources {
    const Event* event = nullptr;
    const settings::Options* options = nullptr;  // full scales, data reduction
    const PrintChoices* choices = nullptr;
    const PrintView* view = nullptr;
};

// `printWaveform`: one slot's samples `range` as a black trace across `strip`, zero on its
// centre line and +-fullScale on its edges, clamped to it, reduced as the options dialog's
// printer data reduction asks (tolerance 2 r fullScale).
void printWaveform(PageTarget& target, const SampleRecord& rec, int slot, const PageRect& strip,
                   double fullScale, SampleRange range, int printerDataReduction);
// The points printWaveform draws on a device with pixels `twipsPerPixel` wide.
std::vector<PagePoint> waveformPoints(const SampleRecord& rec, int slot, const PageRect& strip,
                                      double fullScale, SampleRange range, int printerDataReduction,
                                      double twipsPerPixel);

// Seconds per division of a printed time axis: the 1-2-5 step at or above span / divisions.
double printTimeStep(double spanS, double maxDivisions);

// `printChannels`: the ticked slots as equal strips stacked in `area`, each with its caption
// line (sensor and channel measures), its amplitude labels (F, 0, -F) in a column on the left,
// a zero line and time grid; the time axis in seconds under the last strip; the main window's
// cursors as dashed lines across all strips with their readouts.
void printChannels(PageTarget& target, const StripSources& sources, const PageRect& area);

}  // namespace krnz::report
