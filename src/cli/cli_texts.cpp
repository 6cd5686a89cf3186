// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_texts.h"

#include <filesystem>
#include <memory>

#include "core/common/error.h"
#include "core/settings/app_paths.h"
#include "core/settings/language_files.h"

namespace krnz::cli {
namespace {

std::filesystem::path executableDir() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : exe.parent_path();
}

std::unique_ptr<settings::LanguageFiles> englishFile() {
    auto files = std::make_unique<settings::LanguageFiles>(cliPaths().languageDirs());
    try {
        files->checkLanguageFile("english.txt");
    } catch (const Error&) {
        return nullptr;
    }
    return files;
}

}  // namespace

settings::AppPaths cliPaths() {
    return settings::AppPaths::detect(executableDir());
}

const TextLookup& cliTexts() {
    static const std::unique_ptr<settings::LanguageFiles> files = englishFile();
    if (files) return *files;
    return builtinEnglish();
}

}  // namespace krnz::cli
