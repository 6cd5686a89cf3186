// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/event/event.h"

namespace krnz {

// The text section of a Tremolog file: seven 30-byte fields and a 200-byte free text.
inline constexpr std::size_t kTremologFieldBytes = 30;
inline constexpr std::size_t kTremologFreeBytes = 200;
inline constexpr std::size_t kTremologTextBytes = 7 * kTremologFieldBytes + kTremologFreeBytes;

// Decodes the 410 bytes of a Tremolog text section.
UserInfo parseTremologTexts(std::string_view section);

// "~" stands for a line break in stored free texts.
std::string tildesToLineBreaks(std::string_view text);
std::string lineBreaksToTildes(std::string_view text);

// The ".userinfo" file that keeps a KRN event's user texts beside it.
std::filesystem::path userInfoPath(const std::filesystem::path& eventFile);

// Reads the ".userinfo" file beside a KRN event; nullopt when there is none.
std::optional<UserInfo> readUserInfoFile(const std::filesystem::path& eventFile);

}  // namespace krnz
