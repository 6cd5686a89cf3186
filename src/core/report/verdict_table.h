// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/event/event.h"
#include "core/report/page_target.h"
#include "core/report/verdict.h"
#include "core/settings/text_lookup.h"

namespace krnz::report {

// The verdict as a small table: one row per plottable channel and line of the standard, the
// same texts on screen and on paper.
struct VerdictRow {
    int slot = 0;
    std::string channel;  // "Geo 1"
    std::string line;     // the line's number from 1
    std::string ratio;    // the worst ratio, 3 significant digits; "-" when nothing was judged
    std::string amplitude;
    std::string frequency;
    std::string limit;
    std::string mark;  // "exceeds" or "below" (or "no half-wave")
    bool exceeds = false;

    // The texts in column order, under VerdictTable::captions.
    std::array<const std::string*, 7> cells() const {
        return {&channel, &line, &ratio, &amplitude, &frequency, &limit, &mark};
    }
};

struct VerdictTable {
    std::array<std::string, 7> captions;  // channel, line, worst ratio, peak, frequency, limit
    std::array<std::string, 7> units;     // under the captions: mm/s, Hz, mm/s
    std::vector<VerdictRow> rows;
    std::string method;  // the sentence under the table
};

VerdictTable verdictTable(const Verdict& verdict, const PpvzxStandard& standard, const Event& event,
                          const TextLookup& texts);

// Draws the table and its sentence from (left, top) across `width`; exceeding rows get a red
// (black without colour) mark and a bold text, so the verdict reads on any printer. Returns
// the height used.
double printVerdictTable(PageTarget& target, const VerdictTable& table, double left, double top,
                         double width, bool color);

}  // namespace krnz::report
