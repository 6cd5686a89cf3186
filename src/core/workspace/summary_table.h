// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/workspace/event_summary.h"

namespace krnz {

// The header line of a summary table (no line end): the column names, comma separated.
std::string summaryCsvHeader();

// The rows of one summary, each ending in a line feed: one per slot, or one holding the file's
// message when it could not be read. Numbers in their shortest round-trip form; the verdict
// columns empty unless `judged`.
void appendSummaryCsv(std::string& out, const EventSummary& summary, bool judged);

}  // namespace krnz
