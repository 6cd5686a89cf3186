// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/common/slots.h"
#include "core/event/event.h"
#include "core/report/ppvzx_config.h"
#include "core/settings/text_lookup.h"

namespace krnz::report {

// The limit of a line at a frequency: interpolated between its vertices on the standard's own
// axes and held at the end vertices' values outside them. nullopt for a line without vertices
// or where the limit is no positive number (a log axis at a vertex of 0).
std::optional<double> limitAt(const PpvzxStandard& standard, const LimitLine& line,
                              double frequency);

// How one channel fares against one line: the half-wave with the largest ratio of amplitude to
// limit (the earliest on a tie). Empty when no half-wave could be judged.
struct LineVerdict {
    int line = 0;
    std::optional<double> worstRatio;
    std::optional<double> amplitude;  // mm/s
    std::optional<double> frequency;  // Hz
    std::optional<double> limit;      // mm/s at that frequency
    bool exceeds = false;             // worstRatio > 1
};

struct ChannelVerdict {
    int slot = 0;
    bool plottable = false;
    std::vector<LineVerdict> lines;  // one per line of the standard

    // The line with the largest ratio (the first on a tie), null when none was judged; and
    // that ratio, for a one-number summary.
    const LineVerdict* worstLine() const;
    std::optional<double> worstRatio() const;
    bool exceeds() const;
};

struct Verdict {
    std::string standard;
    std::array<ChannelVerdict, kSlots> channels;

    bool exceeds() const;
};

// Judges one channel's half-waves (amplitudes in mm/s, zero-crossing frequencies in Hz, as the
// diagram receives them with every peak); entries of amplitude or frequency 0 are no half-wave.
ChannelVerdict judgeChannel(const PpvzxStandard& standard, int slot, bool plottable,
                            const std::vector<double>& amps, const std::vector<double>& frqs);

// Every slot's half-waves held against the standard's lines. `processed`: the rows are the
// chain's, so plottable follows the chain's units.
Verdict judgeEvent(const Event& event, bool processed, const PpvzxStandard& standard);

// One plain sentence saying how the verdict was reached, in the language of `texts`.
std::string verdictMethod(const PpvzxStandard& standard, const TextLookup& texts);

// The standard a verdict takes when none is named: the diagram window's stored one when the
// table has it, else the table's first. -1 when the table has none.
int defaultStandard(const PpvzxTable& table, const std::string& stored);

}  // namespace krnz::report
