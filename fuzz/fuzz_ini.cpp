// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a settings file: read, a value written and the file read back. What was written
// must read back, and every other key must keep its value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/common/error.h"
#include "core/settings/ini_document.h"
#include "core/settings/ini_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using krnz::settings::IniDocument;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    IniDocument doc = IniDocument::parse(bytes, "fuzz.ini");
    std::vector<std::pair<std::string, std::string>> names;
    for (const auto& section : doc.sectionNames())
        for (const auto& key : doc.keyNames(section)) names.emplace_back(section, key);
    // Each lookup scans the file, so checking every key of a long file costs the square of its
    // length; an even spread of at most kChecked keys finds what all of them would.
    constexpr std::size_t kChecked = 64;
    const std::size_t step = names.size() / kChecked + 1;
    std::vector<std::tuple<std::string, std::string, std::string>> before;
    for (std::size_t i = size % step; i < names.size(); i += step)
        before.emplace_back(names[i].first, names[i].second,
                            doc.get(names[i].first, names[i].second, ""));
    try {
        doc.set("general", "fuzzKey", "value \"with\" ~ and \xC3\xA4");
    } catch (const krnz::Error&) {
        return 0;
    }
    const IniDocument again = IniDocument::parse(doc.serialize(), "fuzz.ini");
    if (again.get("general", "fuzzKey", "<missing>") != "value \"with\" ~ and \xC3\xA4")
        std::abort();
    for (const auto& [section, key, value] : before) {
        if (krnz::settings::sameText(section, "general") &&
            krnz::settings::sameText(key, "fuzzKey"))
            continue;
        if (again.get(section, key, "<missing>") != value) std::abort();
    }
    return 0;
}
