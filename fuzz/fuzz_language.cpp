// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the English language file, with keys the program asks for looked up in it.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "core/common/error.h"
#include "core/settings/ini_layer.h"
#include "core/settings/language_files.h"
#include "core/settings/language_keys.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path dir = fuzz::scratchDir("fuzz_language");
    std::ofstream(dir / "english.txt", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    static krnz::settings::IniLayer layer;
    layer.setQuestionHandler([](const std::string&) { return true; });
    krnz::settings::LanguageFiles files({dir}, layer);
    files.setMessageHandler([](const std::string&) {});
    try {
        files.checkLanguageFile("english.txt");
        // Every lookup reads the whole file twice (the language, then English as its fallback),
        // so one key per input keeps long inputs cheap; choosing it by the input's length lets a
        // run, whose mutations make every length, ask for every key.
        const auto keys = krnz::settings::languageKeys();
        const auto& k = keys[size % keys.size()];
        (void)files.text(k.section, k.key);
    } catch (const krnz::Error&) {
    }
    return 0;
}
