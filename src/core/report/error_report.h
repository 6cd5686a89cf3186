// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/analysis/reporter.h"
#include "core/common/error.h"

namespace krnz::report {

// An error reported in the common way: its number and its text.
inline void reportError(analysis::Reporter& reporter, const Error& error) {
    reporter.message("Error " + std::to_string(error.number()) + ": " + error.text());
}

}  // namespace krnz::report
