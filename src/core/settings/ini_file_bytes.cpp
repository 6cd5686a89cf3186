// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/ini_file_bytes.h"

#include "core/common/text_encoding.h"

#include <algorithm>

namespace krnz::settings {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool isAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string withLineEnds(std::string_view text, LineEnd lineEnd) {
    if (lineEnd == LineEnd::Lf) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') {
            out.push_back('\r');
        }
        out.push_back(c);
    }
    return out;
}

}  // namespace

DecodedFile decodeIniFile(std::string_view bytes) {
    DecodedFile file;
    if (bytes.starts_with(kUtf8Bom)) {
        bytes.remove_prefix(kUtf8Bom.size());
        file.encoding = FileEncoding::Utf8Bom;
        file.text = decodeAnsiOrUtf8(bytes);
    } else if (isAscii(bytes)) {
        file.text = std::string(bytes);
    } else if (isValidUtf8(bytes)) {
        file.encoding = FileEncoding::Utf8;
        file.text = std::string(bytes);
    } else {
        file.encoding = FileEncoding::Ansi;
        file.text = decodeAnsi(bytes);
    }
    const auto newline = file.text.find('\n');
    if (newline != std::string::npos && (newline == 0 || file.text[newline - 1] != '\r')) {
        file.lineEnd = LineEnd::Lf;
    }
    return file;
}

std::string encodeIniFile(std::string_view text, FileEncoding encoding, LineEnd lineEnd) {
    std::string body = withLineEnds(text, lineEnd);
    switch (encoding) {
        case FileEncoding::Utf8Bom:
            return std::string(kUtf8Bom) + body;
        case FileEncoding::Utf8:
            return body;
        case FileEncoding::AnsiOnly:
            return encodeAnsi(body);
        case FileEncoding::Undecided:
        case FileEncoding::Ansi:
            break;
    }
    if (isAscii(body)) {
        return body;
    }
    std::string ansi = encodeAnsi(body);
    // Reading must give the same text back: an unmappable character became '?', and a run of
    // ANSI bytes that happens to be valid UTF-8 would be read as UTF-8.
    if (decodeAnsiOrUtf8(ansi) == body) {
        return ansi;
    }
    return body;
}

}  // namespace krnz::settings
