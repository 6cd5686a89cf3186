// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/text_lookup.h"

namespace krnz::cli {

// The English language file beside the program (or installed with it); the built-in English
// texts when there is none.
const TextLookup& cliTexts();

}  // namespace krnz::cli
