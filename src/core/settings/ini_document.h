// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/ini_file_bytes.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace krnz::settings {

// One settings file in the sectioned key=value form, held in memory line by line so that a
// rewrite keeps every comment, blank line, unknown key and the order of the file.
//
// Section and key names match without regard to case; the first matching section and the first
// matching key in it count. Lines starting with ';' or '#' are comments. Values are trimmed of
// blanks and of one pair of enclosing quotes, and cut to kMaxValueChars when read. Text is UTF-8
// in memory; see ini_file_bytes.h for how the file's bytes are read and written.
class IniDocument {
  public:
    IniDocument() = default;

    // Reads `file`. A missing file gives an empty document that save() creates. A file that
    // exists but cannot be read also reads as empty, but save() refuses to replace it.
    static IniDocument load(const std::filesystem::path& file);
    // A document from file content, as if read from `file`.
    static IniDocument parse(std::string_view bytes, const std::filesystem::path& file = {});

    const std::filesystem::path& path() const { return m_path; }

    std::optional<std::string> find(std::string_view section, std::string_view key) const;
    std::string get(std::string_view section, std::string_view key,
                    std::string_view defaultValue) const;

    // Sets a value, creating the section and key when missing. Line breaks in the value become
    // blanks and a NUL ends it, so a value can never add lines to the file. Names holding
    // characters the file form cannot carry (line breaks, ']' in a section, '=' in a key, blanks
    // at either end, or nothing at all) are refused with krnz::Error.
    void set(std::string_view section, std::string_view key, std::string_view value);

    std::vector<std::string> sectionNames() const;
    std::vector<std::string> keyNames(std::string_view section) const;

    // True after a set() that changed the content.
    bool modified() const { return m_modified; }

    // From now on the file is written as Windows-1252, whatever it held before: for files that
    // other programs read as Windows-1252 only. Characters without a Windows-1252 form are
    // written as '?'.
    void writeAnsiOnly() { m_encoding = FileEncoding::AnsiOnly; }

    // The file's bytes in its own encoding and line ends.
    std::string serialize() const;
    // Writes the document to path() atomically (see writeFileAtomically); throws krnz::Error.
    void save();

  private:
    enum class LineKind { Other, Section, Key };
    struct Line {
        std::string text;
        LineKind kind = LineKind::Other;
        std::string name;            // section or key name, trimmed
        std::size_t valueStart = 0;  // key lines: where the value begins in `text`
    };

    static Line parseLine(std::string text);
    std::optional<std::size_t> findSection(std::string_view section) const;
    std::optional<std::size_t> findKey(std::size_t sectionLine, std::string_view key) const;
    std::size_t sectionEnd(std::size_t sectionLine) const;

    std::filesystem::path m_path;
    std::vector<Line> m_lines;
    FileEncoding m_encoding = FileEncoding::Undecided;
    LineEnd m_lineEnd = LineEnd::CrLf;
    bool m_unreadable = false;
    bool m_modified = false;
};

}  // namespace krnz::settings
