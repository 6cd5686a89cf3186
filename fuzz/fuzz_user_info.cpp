// SPDX-License-Identifier: GPL-3.0-or-later
// Any eight user texts stored and read back both ways an event keeps them: the ".userinfo" file
// beside a KRN event and the text section inside a Tremolog event (any bytes after its tag).
// What reads back must be what was written, as each store cuts it: the settings file turns line
// breaks of the short texts into blanks and keeps the free text's as "~"; the Tremolog fields
// hold 30 and 200 bytes, end at a NUL that is not their last byte, and turn "~" into line
// breaks. A text that fits comes back exactly. A Tremolog write changes no byte outside its
// text section, and it is refused (the file untouched) only when the section would overlap
// the header or the samples or leave the file.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "core/common/error.h"
#include "core/common/text_encoding.h"
#include "core/event/event_reader.h"
#include "core/event/user_info.h"
#include "core/event/user_info_store.h"
#include "fuzz_input.h"

namespace {

// A typed text: its UTF-8 form and its Windows-1252 bytes. The letters beyond ASCII all have
// bytes of 0xC0 or more, which never continue a UTF-8 sequence, so the bytes of a text holding
// one can never be mistaken for UTF-8 when read back.
struct Text {
    std::string utf8;
    std::string ansi;
};

Text textOf(fuzz::Input& in) {
    static const std::vector<std::pair<std::string, std::string>> kAlphabet = [] {
        std::vector<std::pair<std::string, std::string>> a;
        for (char ch = ' '; ch <= '~'; ++ch) a.emplace_back(std::string(1, ch), std::string(1, ch));
        for (const char* extra : {"\r\n", "\r", "\n", "\t"}) a.emplace_back(extra, extra);
        a.emplace_back("\xC3\xA4", "\xE4");  // ä
        a.emplace_back("\xC3\xB6", "\xF6");  // ö
        a.emplace_back("\xC3\xA5", "\xE5");  // å
        a.emplace_back("\xC3\x84", "\xC4");  // Ä
        a.emplace_back("\xC3\x96", "\xD6");  // Ö
        a.emplace_back("\xC3\xA9", "\xE9");  // é
        a.emplace_back("\xC3\x9F", "\xDF");  // ß
        return a;
    }();
    Text t;
    const std::size_t length = in.u8();
    for (std::size_t i = 0; i < length && !in.empty(); ++i) {
        const auto& [utf8, ansi] = kAlphabet[in.u8() % kAlphabet.size()];
        t.utf8 += utf8;
        t.ansi += ansi;
    }
    return t;
}

std::string replaceAll(const std::string& text, const std::string& from, const std::string& to) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, from.size(), from) == 0) {
            out += to;
            i += from.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}

// Every line break (CR LF, CR or LF) as one blank.
std::string blanksForLineBreaks(const std::string& text) {
    return replaceAll(replaceAll(replaceAll(text, "\r\n", " "), "\r", " "), "\n", " ");
}

// A Tremolog field after the write: the text's bytes and a NUL, cut to the width, over the
// field's old bytes; then read: cut at a NUL that is not the last byte.
std::string tremologField(const std::string& bytes, const std::string& old, std::size_t width,
                          bool tildes) {
    std::string field = bytes + '\0';
    if (field.size() > width) field.resize(width);
    field += old.substr(field.size(), width - field.size());
    if (tildes) field = replaceAll(field, "~", "\r\n");
    const std::size_t nul = field.find('\0');
    if (nul != std::string::npos && nul + 1 < width) field.resize(nul);
    return krnz::decodeAnsiOrUtf8(field);
}

std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::int64_t le(const std::string& bytes, std::size_t at, int width) {
    std::uint64_t v = 0;
    for (int b = width - 1; b >= 0; --b)
        v = (v << 8) | (at + b < bytes.size() ? static_cast<std::uint8_t>(bytes[at + b]) : 0u);
    const std::uint64_t sign = std::uint64_t{1} << (8 * width - 1);
    return static_cast<std::int64_t>(v ^ sign) - static_cast<std::int64_t>(sign);
}

void checkUserInfoFile(const std::filesystem::path& event, const krnz::UserInfo& info,
                       const std::array<Text, 8>& texts) {
    std::filesystem::remove(krnz::userInfoPath(event));
    krnz::writeUserInfoFile(event, info);
    const std::optional<krnz::UserInfo> back = krnz::readUserInfoFile(event);
    FUZZ_CHECK(back.has_value());
    const std::array<const std::string*, 7> shortBack = {
        &back->client, &back->operation, &back->location,  &back->operatorName,
        &back->notes,  &back->company,   &back->supplement};
    for (std::size_t k = 0; k < 7; ++k)
        FUZZ_CHECK(*shortBack[k] == blanksForLineBreaks(texts[k].utf8));
    const std::string free = texts[7].utf8;
    FUZZ_CHECK(back->freeText ==
               replaceAll(blanksForLineBreaks(replaceAll(free, "\r\n", "~")), "~", "\r\n"));
    const std::string unpaired = replaceAll(free, "\r\n", "");
    if (unpaired.find_first_of("~\r\n") == std::string::npos) FUZZ_CHECK(back->freeText == free);
}

void checkTremologTexts(const std::filesystem::path& event, std::string before,
                        const krnz::UserInfo& info, const std::array<Text, 8>& texts) {
    before.replace(0, std::min<std::size_t>(8, before.size()), "TREMOLOG");
    std::ofstream(event, std::ios::binary | std::ios::trunc)
        .write(before.data(), static_cast<std::streamsize>(before.size()));

    const auto size = static_cast<std::int64_t>(before.size());
    const std::int64_t data = le(before, 158, 4), text = le(before, 162, 4);
    const bool stored = before.size() > 11 && before[10] != 0 && before[11] != 0;
    const std::int64_t n =
        stored ? le(before, 166, 4)
               : static_cast<std::int64_t>(
                     std::nearbyint(static_cast<double>(le(before, 40, 2)) * le(before, 38, 2)));
    const std::int64_t section = static_cast<std::int64_t>(krnz::kTremologTextBytes);
    const bool clear = text >= krnz::kTremologHeaderBytes && text + section <= size &&
                       (n <= 0 || text + section <= data || text >= data + 8 * n);
    try {
        krnz::writeTremologTexts(event, info);
    } catch (const krnz::Error&) {
        FUZZ_CHECK(!clear);
        FUZZ_CHECK(fileBytes(event) == before);
        return;
    }
    FUZZ_CHECK(clear);
    const std::string after = fileBytes(event);
    FUZZ_CHECK(after.size() == before.size());
    const auto t = static_cast<std::size_t>(text);
    FUZZ_CHECK(after.compare(0, t, before, 0, t) == 0);
    FUZZ_CHECK(after.compare(t + krnz::kTremologTextBytes, std::string::npos, before,
                             t + krnz::kTremologTextBytes, std::string::npos) == 0);

    const std::string oldSection = before.substr(t, krnz::kTremologTextBytes);
    const krnz::UserInfo back = krnz::parseTremologTexts(after.substr(t, krnz::kTremologTextBytes));
    const std::array<const std::string*, 7> shortBack = {
        &back.client, &back.operation, &back.location,  &back.operatorName,
        &back.notes,  &back.company,   &back.supplement};
    constexpr std::size_t kField = krnz::kTremologFieldBytes;
    for (std::size_t k = 0; k < 7; ++k) {
        FUZZ_CHECK(*shortBack[k] == tremologField(texts[k].ansi,
                                                  oldSection.substr(k * kField, kField), kField,
                                                  false));
        if (texts[k].ansi.size() + 1 < kField) FUZZ_CHECK(*shortBack[k] == texts[k].utf8);
    }
    const Text& free = texts[7];
    FUZZ_CHECK(back.freeText == tremologField(replaceAll(free.ansi, "\r\n", "~"),
                                              oldSection.substr(7 * kField),
                                              krnz::kTremologFreeBytes, true));
    if (free.ansi.find('~') == std::string::npos && free.ansi.size() + 1 < krnz::kTremologFreeBytes)
        FUZZ_CHECK(back.freeText == free.utf8);

    // The reader finds the same texts in the whole file.
    try {
        krnz::ReadOptions options;
        options.maxSamplesPerChannel = 4096;
        const krnz::LoadedEvent loaded = krnz::readEventBytes(
            {reinterpret_cast<const std::uint8_t*>(after.data()), after.size()}, options);
        FUZZ_CHECK(loaded.userInfo && *loaded.userInfo == back);
    } catch (const krnz::Error&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path dir = fuzz::scratchDir("fuzz_user_info");
    fuzz::Input in(data, size);
    std::array<Text, 8> texts;
    for (Text& t : texts) t = textOf(in);
    krnz::UserInfo info;
    std::array<std::string*, 8> fields = {&info.client,       &info.operation, &info.location,
                                          &info.operatorName, &info.notes,     &info.company,
                                          &info.supplement,   &info.freeText};
    for (std::size_t k = 0; k < 8; ++k) *fields[k] = texts[k].utf8;

    checkUserInfoFile(dir / "KRN00001.001", info, texts);
    checkTremologTexts(dir / "event.tremolog", std::string(in.rest()), info, texts);
    return 0;
}
