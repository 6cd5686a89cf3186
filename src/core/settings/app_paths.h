// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace krnz::settings {

// The parts of the process environment that decide where an installed program keeps its files.
struct Environment {
    std::string xdgConfigHome;
    std::string xdgDataHome;
    std::string home;

    static Environment fromProcess();
};

// Where the program's files live: the "program folder" of the original design.
//
// Portable mode (the executable's folder holds "language/" and is writable): everything in that
// folder, as on Windows. Installed mode: settings in $XDG_CONFIG_HOME/krnz, shipped data in the
// installation's share/krnz with the user's copies in $XDG_DATA_HOME/krnz taking precedence,
// macros in $XDG_DATA_HOME/krnz/macro, the temporary sound file in the temp folder.
class AppPaths {
  public:
    static AppPaths detect(const std::filesystem::path& executableDir,
                           const Environment& environment = Environment::fromProcess());
    static AppPaths portable(const std::filesystem::path& programFolder);
    static AppPaths installed(const std::filesystem::path& executableDir,
                              const Environment& environment);

    bool isPortable() const { return m_portable; }

    // krnz.ini, option.ini and the other settings files.
    const std::filesystem::path& settingsDir() const { return m_settingsDir; }
    std::filesystem::path generalIniPath() const { return m_settingsDir / "krnz.ini"; }
    std::filesystem::path optionIniPath() const { return m_settingsDir / "option.ini"; }

    // Folders of shipped data (language files, PPVZX.ini), the user's own first.
    const std::vector<std::filesystem::path>& dataDirs() const { return m_dataDirs; }
    std::vector<std::filesystem::path> languageDirs() const;
    // The first existing copy of a data file; the shipped location when there is none.
    std::filesystem::path dataFile(const std::filesystem::path& relative) const;

    // The user guide in the language of `languageFile` ("svenska.txt": doc/svenska.md), the
    // English one when that language has none.
    std::filesystem::path guideFile(const std::string& languageFile) const;

    const std::filesystem::path& macroDir() const { return m_macroDir; }
    const std::filesystem::path& tempDir() const { return m_tempDir; }
    // Where file dialogs start before anything was opened ("workDir", "pictureDir").
    const std::filesystem::path& documentsDir() const { return m_documentsDir; }

    // Creates the writable folders (settings, macros) when missing; throws krnz::Error.
    void createUserDirs() const;

  private:
    bool m_portable = false;
    std::filesystem::path m_settingsDir;
    std::vector<std::filesystem::path> m_dataDirs;
    std::filesystem::path m_macroDir;
    std::filesystem::path m_tempDir;
    std::filesystem::path m_documentsDir;
};

}  // namespace krnz::settings
