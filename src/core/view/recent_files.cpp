// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/view/recent_files.h"

#include <algorithm>

#include "core/settings/ini_document.h"

namespace krnz::view {
namespace {

constexpr std::string_view kSection = "recent";

std::string keyOf(std::size_t i) {
    return "file" + std::to_string(i + 1);
}

}  // namespace

std::vector<std::string> pushRecentFile(std::vector<std::string> list, const std::string& path) {
    std::erase(list, path);
    list.insert(list.begin(), path);
    if (list.size() > kMaxRecentFiles) list.resize(kMaxRecentFiles);
    return list;
}

std::vector<std::string> readRecentFiles(const std::filesystem::path& generalIni) {
    const settings::IniDocument ini = settings::IniDocument::load(generalIni);
    std::vector<std::string> list;
    for (std::size_t i = 0; i < kMaxRecentFiles; ++i) {
        std::string path = ini.get(kSection, keyOf(i), "");
        if (!path.empty() && std::find(list.begin(), list.end(), path) == list.end())
            list.push_back(std::move(path));
    }
    return list;
}

void writeRecentFiles(const std::filesystem::path& generalIni,
                      const std::vector<std::string>& list) {
    settings::IniDocument ini = settings::IniDocument::load(generalIni);
    for (std::size_t i = 0; i < kMaxRecentFiles; ++i)
        ini.set(kSection, keyOf(i), i < list.size() ? list[i] : std::string());
    if (ini.modified()) ini.save();
}

}  // namespace krnz::view
