// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace krnz::settings {

// How a settings file's bytes hold its text, remembered so that a rewrite keeps it.
enum class FileEncoding {
    Undecided,  // new file, or nothing but ASCII: either form reads back the same
    Ansi,       // Windows-1252, as Windows programs write settings files
    Utf8,       // UTF-8 without byte-order mark
    Utf8Bom,    // UTF-8 after a byte-order mark
    AnsiOnly,   // never read, only asked for: Windows-1252 whatever the text holds, for files
                // that other programs read as Windows-1252 alone ('?' for what it cannot hold)
};

enum class LineEnd { CrLf, Lf };

struct DecodedFile {
    std::string text;  // UTF-8, byte-order mark removed, line ends as in the file
    FileEncoding encoding = FileEncoding::Undecided;
    LineEnd lineEnd = LineEnd::CrLf;
};

// Decodes a settings file: valid UTF-8 stays, anything else is read as Windows-1252. The line end
// is that of the first line; a file without one gets CR LF, the form Windows colleagues expect.
DecodedFile decodeIniFile(std::string_view bytes);

// The bytes to store `text` (whose lines end in LF) as a file of the given encoding.
// UTF-8 files stay UTF-8. Otherwise the text is written as Windows-1252 when every character has
// a Windows-1252 form and the bytes read back unchanged, and as UTF-8 when not, so that no
// character is ever replaced. AnsiOnly writes Windows-1252 always.
std::string encodeIniFile(std::string_view text, FileEncoding encoding, LineEnd lineEnd);

}  // namespace krnz::settings
