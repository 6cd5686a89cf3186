// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/app_paths.h"
#include "core/settings/text_lookup.h"

namespace krnz::cli {

// The English language file beside the program (or installed with it); the built-in English
// texts when there is none.
const TextLookup& cliTexts();

// The program's folders (settings, shipped data) as found from where krnz-cli lies.
settings::AppPaths cliPaths();

}  // namespace krnz::cli
