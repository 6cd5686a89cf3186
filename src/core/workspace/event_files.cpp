// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/workspace/event_files.h"

#include <algorithm>
#include <fstream>
#include <string>

#include "core/event/event_reader.h"
#include "core/settings/ini_text.h"

namespace krnz {
namespace {

namespace fs = std::filesystem;

bool instrumentName(const fs::path& file) {
    const std::string name = settings::upperText(file.filename().string());
    if (name.size() > 9 && name.ends_with(".TREMOLOG")) return true;
    // KRN*.???: the extension of exactly three characters is the event number's remainder.
    return name.starts_with("KRN") && name.size() >= 7 && name[name.size() - 4] == '.';
}

bool hasEventTag(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    char tag[8];
    if (!in.read(tag, sizeof tag)) return false;
    // The reader takes any fifth byte of '5' or '6' for a KRN layout; among a folder's other
    // files only those that also begin as the instruments' tags do ("K").
    const std::string text(tag, sizeof tag);
    const int format = fileFormatOfTag(text);
    return format == kFormatTremolog || (format != 0 && text[0] == 'K');
}

void addFolder(const fs::path& folder, bool recursive, std::vector<fs::path>& files) {
    std::error_code error;
    const auto options = fs::directory_options::skip_permission_denied;
    auto consider = [&](const fs::directory_entry& entry) {
        std::error_code e;
        if (entry.is_regular_file(e) && isEventFileCandidate(entry.path()))
            files.push_back(entry.path());
    };
    if (recursive) {
        for (fs::recursive_directory_iterator it(folder, options, error), end; !error && it != end;
             it.increment(error))
            consider(*it);
    } else {
        for (fs::directory_iterator it(folder, options, error), end; !error && it != end;
             it.increment(error))
            consider(*it);
    }
}

}  // namespace

bool isEventFileCandidate(const fs::path& file) {
    return instrumentName(file) || hasEventTag(file);
}

std::vector<fs::path> findEventFiles(const std::vector<fs::path>& inputs, bool recursive) {
    std::vector<fs::path> files;
    for (const fs::path& input : inputs) {
        std::error_code error;
        if (fs::is_directory(input, error)) {
            addFolder(input, recursive, files);
        } else {
            files.push_back(input);
        }
    }
    std::sort(files.begin(), files.end());
    files.erase(std::unique(files.begin(), files.end()), files.end());
    return files;
}

}  // namespace krnz
