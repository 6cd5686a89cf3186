// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/atomic_file.h"

#include "core/common/error.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

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

void writeFileAtomically(const fs::path& requested, std::string_view bytes) {
    if (requested.filename().empty()) {
        fail(requested, "no file name");
    }
    // A settings file kept elsewhere through a symbolic link stays a link to the new content.
    std::error_code linkError;
    fs::path target = requested;
    if (fs::is_symlink(requested, linkError)) {
        const auto resolved = fs::canonical(requested, linkError);
        if (!linkError) {
            target = resolved;
        }
    }
    fs::path temporary;
    std::FILE* file = openTemporary(target, temporary);
    std::error_code ignored;
    if (!writeAndFlush(file, bytes)) {
        const std::string reason = std::strerror(errno);
        fs::remove(temporary, ignored);
        fail(target, "writing failed (" + reason + ")");
    }
    const auto oldStatus = fs::status(target, ignored);
    if (fs::is_regular_file(oldStatus)) {
        fs::permissions(temporary, oldStatus.permissions(), ignored);
    }
    std::error_code error;
    if (renameStep()) {
        renameStep()(temporary, target, error);
    } else {
        fs::rename(temporary, target, error);
    }
    if (error) {
        fs::remove(temporary, ignored);
        fail(target, error.message());
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
