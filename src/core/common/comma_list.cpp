// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/comma_list.h"

namespace krnz {

bool extractCommaElem(std::string& list, std::string& element) {
    const std::size_t comma = list.find(',');
    if (comma == std::string::npos) {
        element = std::move(list);
        list.clear();
    } else {
        element = list.substr(0, comma);
        list.erase(0, comma + 1);
    }
    return !element.empty();
}

}  // namespace krnz
