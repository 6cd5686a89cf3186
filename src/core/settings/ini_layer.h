// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/ini_values.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace krnz::settings {

// The text a language lookup passes as default; meeting it as a result means a key is missing
// from a file that must hold it.
inline constexpr std::string_view kIniErrorMarker = "error reading inifile";

// The set-then-call access to settings files: choose a file and a section once, then read or
// write a series of keys. Every read opens the file afresh and every write replaces it
// atomically (IniDocument), so hot paths that write many keys use IniDocument directly.
class IniLayer {
  public:
    // Asked when a read meets kIniErrorMarker; returns true to go on. The GUI asks the user.
    using QuestionHandler = std::function<bool(const std::string& message)>;
    // Called when the question was answered No: ends the program without saving anything.
    using AbortHandler = std::function<void()>;

    // Defaults suit the command line: print the question to stderr and go on; abort with exit 1.
    IniLayer();

    void setReadFile(std::filesystem::path file) { m_readFile = std::move(file); }
    void setReadSection(std::string section) { m_readSection = std::move(section); }
    void setWriteFile(std::filesystem::path file) { m_writeFile = std::move(file); }
    void setWriteSection(std::string section) { m_writeSection = std::move(section); }
    const std::filesystem::path& readFile() const { return m_readFile; }
    const std::string& readSection() const { return m_readSection; }
    const std::filesystem::path& writeFile() const { return m_writeFile; }
    const std::string& writeSection() const { return m_writeSection; }

    void setQuestionHandler(QuestionHandler handler) { m_question = std::move(handler); }
    void setAbortHandler(AbortHandler handler) { m_abort = std::move(handler); }

    // The value of `key` in the read file and section, else `defaultValue`; at most
    // kMaxValueChars characters. A result equal to kIniErrorMarker asks the question first.
    std::string readIni(std::string_view key, std::string_view defaultValue) const;

    // Writes the value's text form (iniText) to the write file and section. The file is only
    // replaced when its content changes. Throws krnz::Error when the file cannot be written;
    // the old file then stays whole.
    void writeIniText(std::string_view key, std::string_view text);
    template <typename T>
    void writeIni(std::string_view key, const T& value) {
        writeIniText(key, iniText(value));
    }

    // One-off accesses in the middle of a set-then-call series: the chosen file and section are
    // not touched, so lookups from several threads do not disturb each other.
    std::string readIniFrom(const std::filesystem::path& file, std::string_view section,
                            std::string_view key, std::string_view defaultValue) const;
    void writeIniTo(const std::filesystem::path& file, std::string_view section,
                    std::string_view key, std::string_view value);

    // The section names of the read file, each followed by a NUL, for popSection. Only whole
    // names are listed, up to 1000 characters in all.
    std::string iniSectionNames() const;

  private:
    std::string readAt(const std::filesystem::path& file, std::string_view section,
                       std::string_view key, std::string_view defaultValue) const;

    std::filesystem::path m_readFile;
    std::string m_readSection;
    std::filesystem::path m_writeFile;
    std::string m_writeSection;
    QuestionHandler m_question;
    AbortHandler m_abort;
};

// The process-wide layer that the program's windows share.
IniLayer& defaultIniLayer();

// The same operations on defaultIniLayer().
void setReadFile(std::filesystem::path file);
void setReadSection(std::string section);
void setWriteFile(std::filesystem::path file);
void setWriteSection(std::string section);
std::string readIni(std::string_view key, std::string_view defaultValue);
template <typename T>
void writeIni(std::string_view key, const T& value) {
    defaultIniLayer().writeIni(key, value);
}
std::string iniSectionNames();

// One-off reads and writes that leave the default layer's choices alone.
std::string readIniFrom(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view defaultValue);
void writeIniTo(const std::filesystem::path& file, std::string_view section, std::string_view key,
                std::string_view value);

}  // namespace krnz::settings
