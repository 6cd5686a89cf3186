// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace krnz::analysis {

// The toolbox's "macroList": the macro names and the selected one.
class MacroList {
  public:
    // Fills the list (listMacros at toolbox load); nothing selected.
    void fill(std::vector<std::string> names);

    const std::vector<std::string>& names() const { return m_names; }
    int selected() const { return m_selected; }
    // -1 clears the selection ("new"); throws krnz::Error outside the list.
    void select(int index);
    std::optional<std::string> selectedName() const;

    // After a save: the name goes right after the selected entry (at the top when none is
    // selected) and becomes selected. A name already listed (the save overwrote that file) is
    // selected instead of being listed twice.
    void insertSaved(const std::string& name);

  private:
    std::vector<std::string> m_names;
    int m_selected = -1;
};

}  // namespace krnz::analysis
