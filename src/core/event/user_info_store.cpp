// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/event/user_info_store.h"

#include <array>
#include <cmath>
#include <fstream>
#include <iterator>

#include "core/common/error.h"
#include "core/common/text_encoding.h"
#include "core/event/byte_source.h"
#include "core/event/user_info.h"
#include "core/settings/atomic_file.h"
#include "core/settings/ini_document.h"

namespace krnz {
namespace {

std::string range(std::int64_t first, std::int64_t bytes) {
    return std::to_string(first) + " to " + std::to_string(first + bytes - 1);
}

TremologLayout readTremologLayout(const std::filesystem::path& eventFile) {
    ByteSource file(eventFile);
    if (file.bytes(0, 8) != "TREMOLOG")
        throw Error(kErrProgram, "The file " + eventFile.filename().string() +
                                     " is no longer a Tremolog event; its texts were not written.");
    TremologLayout layout;
    layout.fileSize = file.size();
    layout.dataOffset = file.i32(158);
    layout.textOffset = file.i32(162);
    // The sample count as the reader derives it: stored when both length flags are set.
    double n = 0;
    if (file.u8(10) != 0 && file.u8(11) != 0) {
        n = file.i32(166);
    } else {
        n = std::nearbyint(static_cast<double>(file.i16(40)) * file.i16(38));
    }
    layout.sampleBytes = n > 0 ? static_cast<std::int64_t>(8 * n) : 0;
    return layout;
}

std::string fieldBytes(const std::string& text, std::size_t width) {
    std::string bytes = encodeAnsi(text);
    bytes += '\0';
    if (bytes.size() > width) bytes.resize(width);
    return bytes;
}

}  // namespace

void writeUserInfoFile(const std::filesystem::path& eventFile, const UserInfo& info) {
    settings::IniDocument ini = settings::IniDocument::load(userInfoPath(eventFile));
    // Other programs read the file as Windows-1252 only; a UTF-8 file would show them garbled.
    ini.writeAnsiOnly();
    ini.set("general", "client", info.client);
    ini.set("general", "operation", info.operation);
    ini.set("general", "location", info.location);
    ini.set("general", "operator", info.operatorName);
    ini.set("general", "notes", info.notes);
    ini.set("general", "company", info.company);
    ini.set("general", "supplement", info.supplement);
    ini.set("general", "free", lineBreaksToTildes(info.freeText));
    ini.save();
}

std::optional<std::string> tremologTextSectionProblem(const TremologLayout& layout) {
    const std::int64_t t = layout.textOffset;
    const auto bytes = static_cast<std::int64_t>(kTremologTextBytes);
    const auto size = static_cast<std::int64_t>(layout.fileSize);
    if (t < 0 || t + bytes > size)
        return "its text section (offset " + std::to_string(t) +
               ") does not lie inside the file (" + std::to_string(size) + " bytes)";
    if (t < kTremologHeaderBytes)
        return "its text section (bytes " + range(t, bytes) + ") overlaps the header (bytes " +
               range(0, kTremologHeaderBytes) + ")";
    const std::int64_t d = layout.dataOffset;
    if (layout.sampleBytes > 0 && t < d + layout.sampleBytes && d < t + bytes)
        return "its text section (bytes " + range(t, bytes) + ") overlaps the samples (bytes " +
               range(d, layout.sampleBytes) + ")";
    return std::nullopt;
}

void writeTremologTexts(const std::filesystem::path& eventFile, const UserInfo& info) {
    const TremologLayout layout = readTremologLayout(eventFile);
    if (const auto problem = tremologTextSectionProblem(layout))
        throw Error(kErrProgram, "The texts were not written into " +
                                     eventFile.filename().string() + ": " + *problem + ".");

    const std::array<const std::string*, 7> shortTexts = {
        &info.client, &info.operation, &info.location,  &info.operatorName,
        &info.notes,  &info.company,   &info.supplement};
    // The file is patched in memory and replaced whole, so a failing disk leaves the event as it
    // was instead of half a text section. An event the user may not write stays refused, as
    // replacing it would otherwise get round its permission.
    std::string bytes;
    {
        std::fstream file(eventFile, std::ios::in | std::ios::out | std::ios::binary);
        if (!file)
            throw Error(kErrPathFileAccess, "Cannot open " + eventFile.string() + " for writing");
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        if (file.bad() || bytes.size() != layout.fileSize)
            throw Error(kErrPathFileAccess, "Reading " + eventFile.string() + " failed");
    }
    auto writeAt = [&](std::int64_t offset, const std::string& field) {
        bytes.replace(static_cast<std::size_t>(offset), field.size(), field);
    };
    for (std::size_t k = 0; k < shortTexts.size(); ++k)
        writeAt(layout.textOffset + static_cast<std::int64_t>(kTremologFieldBytes * k),
                fieldBytes(*shortTexts[k], kTremologFieldBytes));
    // Line breaks become "~" before the cut: cutting first would write fewer than 200 bytes
    // without a terminator, and the field's old bytes would then read back as part of the text.
    writeAt(layout.textOffset + static_cast<std::int64_t>(7 * kTremologFieldBytes),
            fieldBytes(lineBreaksToTildes(info.freeText), kTremologFreeBytes));
    settings::writeFileAtomically(eventFile, bytes);
}

UserInfoStoreResult storeUserInfo(const std::filesystem::path& eventFile, int fileFormat,
                                  const UserInfo& info) {
    switch (fileFormat) {
        case kFormatK100:
        case kFormatK200: {
            std::error_code ec;
            if (!std::filesystem::exists(eventFile, ec))
                return UserInfoStoreResult::EventFileMissing;
            writeUserInfoFile(eventFile, info);
            return UserInfoStoreResult::Stored;
        }
        case kFormatTremolog:
            writeTremologTexts(eventFile, info);
            return UserInfoStoreResult::Stored;
        default:
            return UserInfoStoreResult::NotStored;
    }
}

}  // namespace krnz
