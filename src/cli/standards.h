// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli_options.h"
#include "core/report/ppvzx_config.h"

namespace krnz::cli {

// The limit lines a command works with: the file of --standards, else the program's own
// PPVZX.ini. Throws krnz::Error naming a --standards file that cannot be read.
report::PpvzxTable loadStandards(const Options& options);

// The position of the standard --standard names (a usage error naming the ones there are when
// the table lacks it). Without --standard: the diagram window's stored standard, and with
// `orFirst` the table's first when that one is missing; -1 for none.
int chosenStandard(const Options& options, const report::PpvzxTable& table, bool orFirst);

}  // namespace krnz::cli
