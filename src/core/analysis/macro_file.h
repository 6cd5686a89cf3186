// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/operator_chain.h"
#include "core/analysis/operator_codes.h"
#include "core/analysis/reporter.h"
#include "core/settings/text_lookup.h"

// Macro files: the four rows' encoded operator lists in a settings file, section "main" key
// "version" = 1, section "op" keys "0".."3" = the row's entries each followed by a comma
// ("0,2 80,"). Resultant entries keep their group numbers.
namespace krnz::analysis {

inline constexpr int kMacroVersion = 1;

// The macro files in the folder (regular files; hidden ones such as the temporary files of an
// interrupted save are left out), sorted by name. A missing folder gives an empty list.
std::vector<std::string> listMacros(const std::filesystem::path& macroDir);

// A macro name must be a plain file name: not empty, no path separator, no "..", no NUL.
bool isValidMacroName(std::string_view name);

// The lists of a macro file. A version other than 1 (a missing or unreadable file reads as 0)
// shows the "versionError" message and gives nothing. Each row's value is read element by
// element up to the first empty element.
std::optional<EncodedLists> readMacroFile(const std::filesystem::path& file,
                                          const TextLookup& texts, Reporter& reporter);

// Whether a macro file's other keys and comments are kept (Update) or the file is written
// anew (Anew, a macro replaced under its name).
enum class MacroWrite { Update, Anew };

// Writes the lists (creating or updating the file, other keys kept) atomically. Throws
// krnz::Error when the file cannot be written or a row's value is longer than a settings value
// can be read back (it would come back cut).
void writeMacroFile(const std::filesystem::path& file, const EncodedLists& lists,
                    MacroWrite how = MacroWrite::Update);

// The toolbox's "macroList" click: empties every list, then fills them from the macro `name` in
// the folder. False (after the message) when the version is wrong; the lists then stay empty.
// A name that is no plain file name throws krnz::Error.
bool loadMacro(OperatorChain& chain, const std::filesystem::path& macroDir, std::string_view name,
               const TextLookup& texts, Reporter& reporter);

// The toolbox's "save" with the name typed into the input box: writes the chain's lists as
// macro `name`. An empty name (a cancelled input box) saves nothing and returns false. A name
// that is no plain file name throws krnz::Error and writes nothing.
bool saveMacro(const OperatorChain& chain, const std::filesystem::path& macroDir,
               std::string_view name, MacroWrite how = MacroWrite::Update);

}  // namespace krnz::analysis
