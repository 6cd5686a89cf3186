// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/event/event.h"

namespace krnz {

// The eight user texts, in the order of a Tremolog text section.
enum class UserInfoField {
    Client,
    Operation,
    Location,
    Operator,
    Notes,
    Company,
    Supplement,
    FreeText
};

// Most characters the field can hold in an event of `fileFormat`: a Tremolog text section's
// field width, since the file keeps one Windows-1252 byte per character and cuts the rest; no
// limit (nullopt) for KRN events, whose ".userinfo" file has room for any length.
std::optional<std::size_t> userTextLimit(int fileFormat, UserInfoField field);

// Characters the text takes in its file, a CR LF line break counting as one (stored as "~").
std::size_t storedTextLength(std::string_view utf8);

// The text as a field can take it: characters that Windows-1252 cannot hold dropped, then cut
// after `limit` stored characters (a CR LF is kept or dropped whole).
std::string fitUserText(std::string_view utf8, std::optional<std::size_t> limit);

// Every text of `info` fitted to the fields of `fileFormat`.
void fitUserInfo(UserInfo& info, int fileFormat);

}  // namespace krnz
