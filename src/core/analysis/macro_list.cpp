// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/macro_list.h"

#include <algorithm>

#include "core/common/error.h"

namespace krnz::analysis {

void MacroList::fill(std::vector<std::string> names) {
    m_names = std::move(names);
    m_selected = -1;
}

void MacroList::select(int index) {
    if (index < -1 || index >= static_cast<int>(m_names.size())) throwSubscript();
    m_selected = index;
}

std::optional<std::string> MacroList::selectedName() const {
    if (m_selected < 0) return std::nullopt;
    return m_names[static_cast<std::size_t>(m_selected)];
}

void MacroList::insertSaved(const std::string& name) {
    const auto listed = std::find(m_names.begin(), m_names.end(), name);
    if (listed != m_names.end()) {
        m_selected = static_cast<int>(listed - m_names.begin());
        return;
    }
    const int position = m_selected + 1;
    m_names.insert(m_names.begin() + position, name);
    m_selected = position;
}

}  // namespace krnz::analysis
