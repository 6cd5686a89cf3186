// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/event/user_info.h"

#include "core/common/text_encoding.h"
#include "core/settings/ini_document.h"

namespace krnz {
namespace {

// A field ends at a NUL that lies before its last character; a NUL only in the last place,
// or none, leaves the whole field (that is how the instruments' software has always read it).
std::string cutField(std::string field) {
    const std::size_t nul = field.find('\0');
    if (nul != std::string::npos && nul + 1 < field.size()) field.resize(nul);
    return decodeAnsiOrUtf8(field);
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text.substr(i, from.size()) == from) {
            out += to;
            i += from.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}

}  // namespace

std::string tildesToLineBreaks(std::string_view text) {
    return replaceAll(text, "~", "\r\n");
}
std::string lineBreaksToTildes(std::string_view text) {
    return replaceAll(text, "\r\n", "~");
}

UserInfo parseTremologTexts(std::string_view section) {
    std::string bytes(section.substr(0, kTremologTextBytes));
    bytes.resize(kTremologTextBytes, '\0');
    auto field = [&](int k) {
        return cutField(bytes.substr(kTremologFieldBytes * k, kTremologFieldBytes));
    };
    UserInfo info;
    info.client = field(0);
    info.operation = field(1);
    info.location = field(2);
    info.operatorName = field(3);
    info.notes = field(4);
    info.company = field(5);
    info.supplement = field(6);
    // The line breaks go in before the cut, so the cut position counts them.
    std::string free =
        tildesToLineBreaks(bytes.substr(7 * kTremologFieldBytes, kTremologFreeBytes));
    const std::size_t nul = free.find('\0');
    if (nul != std::string::npos && nul + 1 < kTremologFreeBytes) free.resize(nul);
    info.freeText = decodeAnsiOrUtf8(free);
    return info;
}

std::filesystem::path userInfoPath(const std::filesystem::path& eventFile) {
    std::filesystem::path p = eventFile;
    p += ".userinfo";
    return p;
}

std::optional<UserInfo> readUserInfoFile(const std::filesystem::path& eventFile) {
    const std::filesystem::path path = userInfoPath(eventFile);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return std::nullopt;
    const settings::IniDocument ini = settings::IniDocument::load(path);
    auto key = [&](std::string_view name) { return ini.get("general", name, ""); };
    UserInfo info;
    info.client = key("client");
    info.operation = key("operation");
    info.location = key("location");
    info.operatorName = key("operator");
    info.notes = key("notes");
    info.company = key("company");
    info.supplement = key("supplement");
    info.freeText = tildesToLineBreaks(key("free"));
    return info;
}

}  // namespace krnz
