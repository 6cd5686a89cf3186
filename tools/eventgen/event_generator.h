// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Synthetic event files of the K100, K200 and Tremolog layouts, written byte by byte from the
// file descriptions so that they check the event readers independently. Independent of
// krnz_core on purpose.

#include "k100_writer.h"
#include "k200_writer.h"
#include "krn_fields.h"
#include "realistic_events.h"
#include "sample_set.h"
#include "signal_synthesis.h"
#include "tremolog_writer.h"
#include "user_texts.h"
#include "windows1252.h"

#include <cstdint>
#include <filesystem>
#include <span>

namespace krnz::eventgen {

// Writes through a temporary file in the same folder and renames it over `path`, so a failed
// write never leaves half a file. Throws std::runtime_error.
void saveFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace krnz::eventgen
