// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/atomic_file.h"

#include "core/common/error.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#if __has_include(<unistd.h>)
#include <unistd.h>
#define KRNZ_HAVE_FSYNC 1
#endif

namespace krnz::settings {
namespace fs = std::filesystem;

namespace {

detail::RenameStep& renameStep() {
    static detail::RenameStep step;
    return step;
}

struct InjectedFailure {
    std::optional<detail::FailingStep> step;
    int error = 0;
};

InjectedFailure& injectedFailure() {
    static InjectedFailure failure;
    return failure;
}

bool failsAt(detail::FailingStep step) {
    if (injectedFailure().step != step) return false;
    errno = injectedFailure().error;
    return true;
}

[[noreturn]] void fail(const fs::path& target, const std::string& reason) {
    throw Error(kErrPathFileAccess, "Cannot save " + target.string() + ": " + reason);
}

std::string randomSuffix() {
    static std::mt19937_64 generator{std::random_device{}()};
    char buffer[17];
    std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(generator()));
    return buffer;
}

// Opens a temporary file next to the target that did not exist before ("x" mode), so two
// writers never share one.
std::FILE* openTemporary(const fs::path& target, fs::path& temporary) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporary = folder / ("." + target.filename().string() + ".tmp-" + randomSuffix());
        if (failsAt(detail::FailingStep::CreateTemporary)) {
            fail(target, "cannot create a temporary file in " + folder.string() + " (" +
                             std::strerror(errno) + ")");
        }
        if (std::FILE* file = std::fopen(temporary.c_str(), "wbx")) {
            return file;
        }
        if (errno != EEXIST) {
            fail(target, "cannot create a temporary file in " + folder.string() + " (" +
                             std::strerror(errno) + ")");
        }
    }
    fail(target, "cannot create a temporary file in " + folder.string());
}

bool writeAndFlush(std::FILE* file, std::string_view bytes) {
    if (injectedFailure().step == detail::FailingStep::Write) {
        std::fwrite(bytes.data(), 1, bytes.size() / 2, file);
        std::fclose(file);
        return !failsAt(detail::FailingStep::Write);
    }
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fflush(file) == 0 && ok;
#ifdef KRNZ_HAVE_FSYNC
    ok = ::fsync(::fileno(file)) == 0 && ok;
#endif
    return std::fclose(file) == 0 && ok;
}

}  // namespace

namespace {

// A target's new content, written and synced beside it, waiting for its rename.
struct Prepared {
    fs::path target;
    fs::path temporary;
};

Prepared prepare(const fs::path& requested, std::string_view bytes) {
    if (requested.filename().empty()) {
        fail(requested, "no file name");
    }
    // A settings file kept elsewhere through a symbolic link stays a link to the new content.
    std::error_code linkError;
    Prepared prepared{requested, {}};
    if (fs::is_symlink(requested, linkError)) {
        const auto resolved = fs::canonical(requested, linkError);
        if (!linkError) {
            prepared.target = resolved;
        }
    }
    std::FILE* file = openTemporary(prepared.target, prepared.temporary);
    std::error_code ignored;
    if (!writeAndFlush(file, bytes)) {
        const std::string reason = std::strerror(errno);
        fs::remove(prepared.temporary, ignored);
        fail(prepared.target, "writing failed (" + reason + ")");
    }
    const auto oldStatus = fs::status(prepared.target, ignored);
    if (fs::is_regular_file(oldStatus)) {
        fs::permissions(prepared.temporary, oldStatus.permissions(), ignored);
    }
    return prepared;
}

void renameOver(const fs::path& from, const fs::path& to, std::error_code& error) {
    if (renameStep()) {
        renameStep()(from, to, error);
    } else {
        fs::rename(from, to, error);
    }
}

// What a target held before a write of several files, to put back if a later one fails.
std::optional<std::string> oldContent(const fs::path& target) {
    std::error_code error;
    if (!fs::is_regular_file(target, error)) return std::nullopt;
    std::FILE* file = std::fopen(target.c_str(), "rb");
    if (!file) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    const bool ok = !std::ferror(file);
    std::fclose(file);
    if (!ok) return std::nullopt;
    return bytes;
}

}  // namespace

void writeFileAtomically(const fs::path& requested, std::string_view bytes) {
    const Prepared prepared = prepare(requested, bytes);
    std::error_code error;
    renameOver(prepared.temporary, prepared.target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(prepared.temporary, ignored);
        fail(prepared.target, error.message());
    }
}

void writeFilesAtomically(std::span<const FileContent> files) {
    std::vector<Prepared> prepared;
    std::error_code ignored;
    try {
        for (const FileContent& file : files) prepared.push_back(prepare(file.path, file.bytes));
    } catch (const Error&) {
        for (const Prepared& p : prepared) fs::remove(p.temporary, ignored);
        throw;
    }
    // Every new content is on disk; only the renames are left, and a failing one puts the
    // files already replaced back as they were (or removes those that were new).
    std::vector<std::optional<std::string>> before;
    for (const Prepared& p : prepared) before.push_back(oldContent(p.target));
    for (std::size_t i = 0; i < prepared.size(); ++i) {
        std::error_code error;
        renameOver(prepared[i].temporary, prepared[i].target, error);
        if (!error) continue;
        for (std::size_t k = i; k < prepared.size(); ++k)
            fs::remove(prepared[k].temporary, ignored);
        for (std::size_t k = 0; k < i; ++k) {
            try {
                if (before[k]) {
                    writeFileAtomically(prepared[k].target, *before[k]);
                } else {
                    fs::remove(prepared[k].target, ignored);
                }
            } catch (const Error&) {
                // The first failure is the one to report; this file is then the new one.
            }
        }
        fail(prepared[i].target, error.message());
    }
}

namespace detail {

void setRenameStepForTesting(RenameStep step) {
    renameStep() = std::move(step);
}

void setFailingStepForTesting(std::optional<FailingStep> step, int error) {
    injectedFailure() = {step, error};
}

}  // namespace detail
}  // namespace krnz::settings
