// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace krnz {

// Takes the first element off a comma-separated list: `element` receives the text before the
// first comma and `list` keeps the text after it; without a comma the whole list is the element
// and `list` becomes empty. Returns false when the element is empty, so a loop that reads
// elements stops at the first empty one (of "1,,2" only "1" is read) and at the end of the list.
bool extractCommaElem(std::string& list, std::string& element);

}  // namespace krnz
