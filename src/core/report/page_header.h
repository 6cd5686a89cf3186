// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/event/event.h"
#include "core/report/page_target.h"
#include "core/settings/text_lookup.h"

namespace krnz::report {

// The event's calendar date as the page shows it: a month or day out of range rolls over.
struct EventDate {
    int year;
    int month;
    int day;
};
EventDate eventDate(const SampleRecord& rec);

// The event's date and time in ISO 8601 ("2021-06-04T13:05:09"), the date as the page shows it.
std::string isoDateTime(const SampleRecord& rec);

// The event identification line (texts of section "krn"): "Instrument SN 412,   Event no. 101,
// Date/time Sat 16 Jul 2022 18:01:59". The year byte counts from 2000 below 81, else from 1900.
std::string eventIdentificationLine(const SampleRecord& rec, const TextLookup& texts);

// The company block at (left, top): the company in bold, then the supplement and the free text,
// each starting below the measured height of the one before; empty texts take no room. Returns
// the y below the block.
double printCompanyBlock(PageTarget& target, const UserInfo& info, double left, double top,
                         double width);

// "version " and the program's version, right-aligned against `right` at `top`.
void printVersion(PageTarget& target, const std::string& version, double right, double top);

}  // namespace krnz::report
