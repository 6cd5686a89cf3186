// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "core/event/event.h"

namespace krnz {

// Writes the eight texts to the ".userinfo" file beside a KRN event, section "general", free
// text line breaks as "~". The file is replaced atomically and keeps anything else it holds.
// It is always written as Windows-1252, characters without a Windows-1252 form as '?'.
// Throws krnz::Error when it cannot be written.
void writeUserInfoFile(const std::filesystem::path& eventFile, const UserInfo& info);

// Where a Tremolog file keeps its parts, as its header says.
struct TremologLayout {
    std::uint64_t fileSize = 0;
    std::int64_t textOffset = 0;   // T, 410 bytes of texts
    std::int64_t dataOffset = 0;   // D
    std::int64_t sampleBytes = 0;  // 8 n
};

inline constexpr std::int64_t kTremologHeaderBytes = 170;

// Why the text section may not be written: it must lie inside the file and clear of the header
// (bytes 0..169) and of the samples (D .. D + 8n - 1). nullopt when it may.
std::optional<std::string> tremologTextSectionProblem(const TremologLayout& layout);

// Writes the eight texts back into a Tremolog event's text section, in place: each of the
// seven short texts as Windows-1252 with one NUL appended, cut to 30 bytes; the free text with
// each CR LF as "~" and a NUL appended, cut to 200 bytes. Field bytes after those written
// keep their content. Checks first that the file is still a Tremolog event and that the
// section lies where it may be written; throws krnz::Error with the reason otherwise, or when
// the file cannot be written.
void writeTremologTexts(const std::filesystem::path& eventFile, const UserInfo& info);

enum class UserInfoStoreResult { Stored, EventFileMissing, NotStored };

// `saveUserInfo`'s storing step for the current event's file and layout: a KRN event's
// ".userinfo" file (EventFileMissing, nothing written, when the event file is gone), a
// Tremolog event's text section, nothing for any other layout. Throws krnz::Error.
UserInfoStoreResult storeUserInfo(const std::filesystem::path& eventFile, int fileFormat,
                                  const UserInfo& info);

}  // namespace krnz
