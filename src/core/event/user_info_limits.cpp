// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/event/user_info_limits.h"

#include <array>

#include "core/common/text_encoding.h"
#include "core/event/user_info.h"

namespace krnz {
namespace {

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::optional<std::size_t> userTextLimit(int fileFormat, UserInfoField field) {
    if (fileFormat != kFormatTremolog) return std::nullopt;
    return field == UserInfoField::FreeText ? kTremologFreeBytes : kTremologFieldBytes;
}

std::size_t storedTextLength(std::string_view utf8) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (isContinuationByte(utf8[i])) continue;
        if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
        ++n;
    }
    return n;
}

std::string fitUserText(std::string_view utf8, std::optional<std::size_t> limit) {
    std::string text = keepAnsiCharacters(utf8);
    if (!limit) return text;
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isContinuationByte(text[i])) continue;
        if (n == *limit) {
            text.resize(i);
            break;
        }
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        ++n;
    }
    return text;
}

void fitUserInfo(UserInfo& info, int fileFormat) {
    const std::array<std::pair<std::string*, UserInfoField>, 8> fields = {{
        {&info.client, UserInfoField::Client},
        {&info.operation, UserInfoField::Operation},
        {&info.location, UserInfoField::Location},
        {&info.operatorName, UserInfoField::Operator},
        {&info.notes, UserInfoField::Notes},
        {&info.company, UserInfoField::Company},
        {&info.supplement, UserInfoField::Supplement},
        {&info.freeText, UserInfoField::FreeText},
    }};
    for (const auto& [text, field] : fields)
        *text = fitUserText(*text, userTextLimit(fileFormat, field));
}

}  // namespace krnz
