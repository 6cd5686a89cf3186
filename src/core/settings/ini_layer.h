// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace krnz::settings {

// The text a language lookup passes as default; meeting it as a result means a key is missing
// from a file that must hold it.
inline constexpr std::string_view kIniErrorMarker = "error reading inifile";

// Reads of settings files that ask before going on when a key that must be there is missing.
// Every read opens the file afresh (IniDocument), so lookups from several threads do not
// disturb each other.
class IniLayer {
  public:
    // Asked when a read meets kIniErrorMarker; returns true to go on. The GUI asks the user.
    using QuestionHandler = std::function<bool(const std::string& message)>;
    // Called when the question was answered No: ends the program without saving anything.
    using AbortHandler = std::function<void()>;

    // Defaults suit the command line: print the question to stderr and go on; abort with exit 1.
    IniLayer();

    void setQuestionHandler(QuestionHandler handler) { m_question = std::move(handler); }
    void setAbortHandler(AbortHandler handler) { m_abort = std::move(handler); }

    // The value of `key` in `file` and `section`, else `defaultValue`; at most kMaxValueChars
    // characters. A result equal to kIniErrorMarker asks the question first.
    std::string readIniFrom(const std::filesystem::path& file, std::string_view section,
                            std::string_view key, std::string_view defaultValue) const;

  private:
    QuestionHandler m_question;
    AbortHandler m_abort;
};

// The process-wide layer that the program's windows share.
IniLayer& defaultIniLayer();

}  // namespace krnz::settings
