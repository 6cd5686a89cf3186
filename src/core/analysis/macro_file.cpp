// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/macro_file.h"

#include <algorithm>
#include <system_error>

#include "core/analysis/operator_codes.h"
#include "core/common/comma_list.h"
#include "core/common/error.h"
#include "core/common/leading_number.h"
#include "core/settings/ini_document.h"
#include "core/settings/ini_text.h"

namespace krnz::analysis {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kMainSection = "main";
constexpr std::string_view kVersionKey = "version";
constexpr std::string_view kOpSection = "op";

fs::path macroPath(const fs::path& macroDir, std::string_view name) {
    if (!isValidMacroName(name))
        throw Error(kErrPathFileAccess,
                    "The macro name \"" + std::string(name) +
                        "\" is not a plain file name (no path separator, no \"..\")");
    return macroDir / fs::path(std::string(name));
}

}  // namespace

std::vector<std::string> listMacros(const fs::path& macroDir) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(macroDir, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (name.starts_with('.') || !it->is_regular_file(typeError)) continue;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool isValidMacroName(std::string_view name) {
    return !name.empty() && name != "." &&
           name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos &&
           name.find("..") == std::string_view::npos;
}

std::optional<EncodedLists> readMacroFile(const fs::path& file, const TextLookup& texts,
                                          Reporter& reporter) {
    const settings::IniDocument doc = settings::IniDocument::load(file);
    if (val(doc.get(kMainSection, kVersionKey, "0")) != kMacroVersion) {
        reporter.message(texts.text(kToolboxSection, "versionError"));
        return std::nullopt;
    }
    EncodedLists lists;
    for (int r = 0; r < kSlots; ++r) {
        std::string list = doc.get(kOpSection, std::to_string(r), "");
        std::string element;
        while (extractCommaElem(list, element)) lists[r].push_back(element);
    }
    return lists;
}

void writeMacroFile(const fs::path& file, const EncodedLists& lists, MacroWrite how) {
    // Written anew, the old file's comments (which describe the chain it held) go; the new
    // file still replaces the old one in one step, so a failed write leaves it whole.
    settings::IniDocument doc = how == MacroWrite::Anew ? settings::IniDocument::parse("", file)
                                                        : settings::IniDocument::load(file);
    doc.set(kMainSection, kVersionKey, std::to_string(kMacroVersion));
    for (int r = 0; r < kSlots; ++r) {
        std::string value;
        for (const std::string& entry : lists[r]) value += entry + ",";
        if (value.size() > settings::kMaxValueChars)
            throw Error(kErrPathFileAccess, "The operator list of row " + std::to_string(r + 1) +
                                                " is too long for a macro file");
        doc.set(kOpSection, std::to_string(r), value);
    }
    doc.save();
}

bool loadMacro(OperatorChain& chain, const fs::path& macroDir, std::string_view name,
               const TextLookup& texts, Reporter& reporter) {
    const fs::path file = macroPath(macroDir, name);
    chain.clear();
    const std::optional<EncodedLists> lists = readMacroFile(file, texts, reporter);
    if (!lists) return false;
    chain.setLoadedLists(*lists);
    return true;
}

bool saveMacro(const OperatorChain& chain, const fs::path& macroDir, std::string_view name,
               MacroWrite how) {
    if (name.empty()) return false;
    writeMacroFile(macroPath(macroDir, name), encodedLists(chain.opIntLists()), how);
    return true;
}

}  // namespace krnz::analysis
