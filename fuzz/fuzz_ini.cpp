// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a settings file: read, a value written and the file read back. What was written
// must read back, and every other key must keep its value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/common/error.h"
#include "core/settings/ini_document.h"
#include "core/settings/ini_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using krnz::settings::IniDocument;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    IniDocument doc = IniDocument::parse(bytes, "fuzz.ini");
    const auto sections = doc.sectionNames();
    std::vector<std::tuple<std::string, std::string, std::string>> before;
    for (const auto& section : sections)
        for (const auto& key : doc.keyNames(section))
            before.emplace_back(section, key, doc.get(section, key, ""));
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
