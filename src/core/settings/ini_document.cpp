// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/ini_document.h"

#include "core/common/error.h"
#include "core/settings/atomic_file.h"
#include "core/settings/ini_text.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace krnz::settings {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool isQuote(char c) {
    return c == '"' || c == '\'';
}

bool hasEnclosingQuotes(std::string_view text) {
    return text.size() >= 2 && isQuote(text.front()) && text.back() == text.front();
}

// The value as the platform's reader returns it: blanks and one pair of quotes removed, cut at
// a NUL and at the buffer length.
std::string storedToValue(std::string_view stored) {
    stored = trimmed(stored);
    if (hasEnclosingQuotes(stored)) {
        stored = stored.substr(1, stored.size() - 2);
    }
    stored = stored.substr(0, stored.find('\0'));
    return std::string(cutToChars(stored, kMaxValueChars));
}

// The inverse of storedToValue for a value without NUL or line breaks: quotes protect blanks at
// either end and a value that is itself enclosed in quotes.
std::string valueToStored(std::string_view value) {
    const bool blankAtEnd =
        !value.empty() && (kBlanks.find(value.front()) != std::string_view::npos ||
                           kBlanks.find(value.back()) != std::string_view::npos);
    if (blankAtEnd || hasEnclosingQuotes(value)) {
        return "\"" + std::string(value) + "\"";
    }
    return std::string(value);
}

std::string oneLine(std::string_view value) {
    value = value.substr(0, value.find('\0'));
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\r' || value[i] == '\n') {
            if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') {
                ++i;
            }
            out.push_back(' ');
        } else {
            out.push_back(value[i]);
        }
    }
    return out;
}

// A name that would read back differently, or turn its line into another kind of line.
void checkName(std::string_view name, bool isKey) {
    const auto forbidden = isKey ? std::string_view("=\r\n\0", 4) : std::string_view("]\r\n\0", 4);
    const char* what = isKey ? "key" : "section";
    bool bad = name.empty() || trimmed(name).size() != name.size() ||
               name.find_first_of(forbidden) != std::string_view::npos;
    if (!bad && isKey) {
        bad = name.front() == '[' || name.front() == ';' || name.front() == '#';
    }
    if (bad) {
        throw Error(kErrInvalidProcedureCall, std::string("Invalid settings ") + what + " name \"" +
                                                  std::string(name) + "\"");
    }
}

}  // namespace

IniDocument::Line IniDocument::parseLine(std::string text) {
    Line line;
    const std::string_view content = trimmed(text);
    if (content.empty() || content.front() == ';' || content.front() == '#') {
        // comment or blank
    } else if (content.front() == '[') {
        const auto close = content.find(']');
        line.kind = LineKind::Section;
        line.name = std::string(trimmed(content.substr(
            1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
    } else if (const auto equals = text.find('='); equals != std::string::npos) {
        line.name = std::string(trimmed(std::string_view(text).substr(0, equals)));
        if (!line.name.empty()) {
            line.kind = LineKind::Key;
            const auto valueStart = text.find_first_not_of(kBlanks, equals + 1);
            line.valueStart = valueStart == std::string::npos ? text.size() : valueStart;
        }
    }
    line.text = std::move(text);
    return line;
}

IniDocument IniDocument::parse(std::string_view bytes, const fs::path& file) {
    IniDocument document;
    document.m_path = file;
    DecodedFile decoded = decodeIniFile(bytes);
    document.m_encoding = decoded.encoding;
    document.m_lineEnd = decoded.lineEnd;
    std::string_view text = decoded.text;
    while (!text.empty()) {
        const auto newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
        // Every CR before the line feed belongs to the line end: a file once converted twice
        // ends lines in CR CR LF, and a rewrite must not change what its values read.
        while (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        document.m_lines.push_back(parseLine(std::string(line)));
    }
    return document;
}

IniDocument IniDocument::load(const fs::path& file) {
    std::error_code error;
    if (!fs::exists(file, error) && !error) {
        IniDocument document;
        document.m_path = file;
        return document;
    }
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    if (in && !fs::is_directory(file, error)) {
        bytes << in.rdbuf();
    }
    if (!in || error || fs::is_directory(file, error)) {
        IniDocument document;
        document.m_path = file;
        document.m_unreadable = true;
        return document;
    }
    return parse(bytes.str(), file);
}

std::optional<std::size_t> IniDocument::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == LineKind::Section && sameText(m_lines[i].name, section)) {
            return i;
        }
    }
    return std::nullopt;
}

std::size_t IniDocument::sectionEnd(std::size_t sectionLine) const {
    std::size_t i = sectionLine + 1;
    while (i < m_lines.size() && m_lines[i].kind != LineKind::Section) {
        ++i;
    }
    return i;
}

std::optional<std::size_t> IniDocument::findKey(std::size_t sectionLine,
                                                std::string_view key) const {
    const std::size_t end = sectionEnd(sectionLine);
    for (std::size_t i = sectionLine + 1; i < end; ++i) {
        if (m_lines[i].kind == LineKind::Key && sameText(m_lines[i].name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::find(std::string_view section, std::string_view key) const {
    const auto sectionLine = findSection(section);
    if (!sectionLine) {
        return std::nullopt;
    }
    const auto keyLine = findKey(*sectionLine, key);
    if (!keyLine) {
        return std::nullopt;
    }
    const Line& line = m_lines[*keyLine];
    return storedToValue(std::string_view(line.text).substr(line.valueStart));
}

std::string IniDocument::get(std::string_view section, std::string_view key,
                             std::string_view defaultValue) const {
    if (auto value = find(section, key)) {
        return std::move(*value);
    }
    defaultValue = defaultValue.substr(0, defaultValue.find('\0'));
    return std::string(cutToChars(defaultValue, kMaxValueChars));
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    checkName(section, false);
    checkName(key, true);
    const std::string stored = valueToStored(oneLine(value));
    const std::string keyLine = std::string(key) + "=" + stored;

    const auto sectionLine = findSection(section);
    if (!sectionLine) {
        if (!m_lines.empty() && !trimmed(m_lines.back().text).empty()) {
            m_lines.push_back(parseLine({}));
        }
        m_lines.push_back(parseLine("[" + std::string(section) + "]"));
        m_lines.push_back(parseLine(keyLine));
        m_modified = true;
        return;
    }
    if (const auto existing = findKey(*sectionLine, key)) {
        Line& line = m_lines[*existing];
        // Keep the key's own spelling and spacing; only the value changes.
        std::string text = line.text.substr(0, line.valueStart) + stored;
        if (text != line.text) {
            line = parseLine(std::move(text));
            m_modified = true;
        }
        return;
    }
    // A new key goes after the section's last key, ahead of blank lines and comments that lead
    // into the next section.
    std::size_t insertAt = *sectionLine + 1;
    const std::size_t end = sectionEnd(*sectionLine);
    for (std::size_t i = *sectionLine + 1; i < end; ++i) {
        if (m_lines[i].kind == LineKind::Key) {
            insertAt = i + 1;
        }
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), parseLine(keyLine));
    m_modified = true;
}

std::vector<std::string> IniDocument::sectionNames() const {
    std::vector<std::string> names;
    for (const Line& line : m_lines) {
        if (line.kind != LineKind::Section || line.name.empty()) {
            continue;
        }
        bool seen = false;
        for (const auto& name : names) {
            seen = seen || sameText(name, line.name);
        }
        if (!seen) {
            names.push_back(line.name);
        }
    }
    return names;
}

std::vector<std::string> IniDocument::keyNames(std::string_view section) const {
    std::vector<std::string> names;
    const auto sectionLine = findSection(section);
    if (!sectionLine) {
        return names;
    }
    const std::size_t end = sectionEnd(*sectionLine);
    for (std::size_t i = *sectionLine + 1; i < end; ++i) {
        if (m_lines[i].kind == LineKind::Key && findKey(*sectionLine, m_lines[i].name) == i) {
            names.push_back(m_lines[i].name);
        }
    }
    return names;
}

std::string IniDocument::serialize() const {
    std::string text;
    for (const Line& line : m_lines) {
        text += line.text;
        text += '\n';
    }
    return encodeIniFile(text, m_encoding, m_lineEnd);
}

void IniDocument::save() {
    if (m_path.empty()) {
        throw Error(kErrPathFileAccess, "Cannot save settings: no file name");
    }
    if (m_unreadable) {
        throw Error(kErrPathFileAccess, "Cannot save " + m_path.string() +
                                            ": the file exists but could not be read, "
                                            "and rewriting it would lose its content");
    }
    writeFileAtomically(m_path, serialize());
    m_modified = false;
}

}  // namespace krnz::settings
