// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <vector>

namespace krnz {

// Whether a file in a folder is taken for an event: its tag names a layout, or its name is one
// an instrument gives (KRN*.??? or *.tremolog), so that a damaged event is listed too.
bool isEventFileCandidate(const std::filesystem::path& file);

// The event files of `inputs`, sorted by path: a file named there is taken as it is (so one
// that cannot be read is reported, not passed over), a folder gives its candidates, and with
// `recursive` those of the folders below. Links to folders are not followed, so a loop of
// links ends; a folder that cannot be listed is passed over.
std::vector<std::filesystem::path> findEventFiles(const std::vector<std::filesystem::path>& inputs,
                                                  bool recursive);

}  // namespace krnz
