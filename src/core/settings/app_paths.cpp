// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/app_paths.h"

#include "core/common/error.h"

#include <cstdio>
#include <cstdlib>
#include <random>

namespace krnz::settings {
namespace fs = std::filesystem;

namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

fs::path systemTempDir() {
    std::error_code error;
    fs::path temp = fs::temp_directory_path(error);
    return error ? fs::path("/tmp") : temp;
}

// The XDG base-directory rule: an unset, empty or relative variable means the default.
fs::path xdgDir(const std::string& value, const fs::path& home, const fs::path& fallback) {
    const fs::path dir(value);
    return dir.is_absolute() ? dir : home / fallback;
}

// Only an attempt to create a file proves a folder writable (read-only mounts, ACLs).
bool isWritableDir(const fs::path& dir) {
    std::random_device random;
    const fs::path probe = dir / (".krnz-write-test-" + std::to_string(random()));
    std::FILE* file = std::fopen(probe.c_str(), "wbx");
    if (!file) {
        return false;
    }
    std::fclose(file);
    std::error_code ignored;
    fs::remove(probe, ignored);
    return true;
}

}  // namespace

Environment Environment::fromProcess() {
    return {environmentValue("XDG_CONFIG_HOME"), environmentValue("XDG_DATA_HOME"),
            environmentValue("HOME")};
}

AppPaths AppPaths::detect(const fs::path& executableDir, const Environment& environment) {
    std::error_code error;
    if (fs::is_directory(executableDir / "language", error) && isWritableDir(executableDir)) {
        return portable(executableDir);
    }
    return installed(executableDir, environment);
}

AppPaths AppPaths::portable(const fs::path& programFolder) {
    AppPaths paths;
    paths.m_portable = true;
    paths.m_settingsDir = programFolder;
    paths.m_dataDirs = {programFolder};
    paths.m_macroDir = programFolder / "macro";
    paths.m_tempDir = systemTempDir();
    paths.m_documentsDir = programFolder;
    return paths;
}

AppPaths AppPaths::installed(const fs::path& executableDir, const Environment& environment) {
    const fs::path home =
        fs::path(environment.home).is_absolute() ? fs::path(environment.home) : systemTempDir();
    const fs::path userData = xdgDir(environment.xdgDataHome, home, ".local/share") / "krnz";
    AppPaths paths;
    paths.m_settingsDir = xdgDir(environment.xdgConfigHome, home, ".config") / "krnz";
    paths.m_dataDirs = {userData, (executableDir / ".." / "share" / "krnz").lexically_normal()};
    paths.m_macroDir = userData / "macro";
    paths.m_tempDir = systemTempDir();
    paths.m_documentsDir = home;
    return paths;
}

std::vector<fs::path> AppPaths::languageDirs() const {
    std::vector<fs::path> dirs;
    for (const auto& dir : m_dataDirs) {
        dirs.push_back(dir / "language");
    }
    return dirs;
}

fs::path AppPaths::dataFile(const fs::path& relative) const {
    std::error_code error;
    for (const auto& dir : m_dataDirs) {
        if (fs::exists(dir / relative, error)) {
            return dir / relative;
        }
    }
    return m_dataDirs.back() / relative;
}

fs::path AppPaths::guideFile(const std::string& languageFile) const {
    const fs::path own = fs::path("doc") / fs::path(languageFile).stem().concat(".md");
    std::error_code error;
    const fs::path found = dataFile(own);
    return fs::exists(found, error) ? found : dataFile(fs::path("doc") / "english.md");
}

void AppPaths::createUserDirs() const {
    for (const auto& dir : {m_settingsDir, m_macroDir}) {
        std::error_code error;
        fs::create_directories(dir, error);
        if (error) {
            throw Error(kErrPathFileAccess,
                        "Cannot create the folder " + dir.string() + ": " + error.message());
        }
    }
}

}  // namespace krnz::settings
