// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>

namespace krnz::settings {

// Replaces `target` with `bytes` so that a crash or a failing disk never leaves half a file: the
// bytes go to a new temporary file in the same folder, which is flushed and then renamed over
// the target. An existing target keeps its permission bits. On any failure the temporary file
// is removed, the old target stays as it was, and krnz::Error is thrown with a message naming
// the file.
void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

struct FileContent {
    std::filesystem::path path;
    std::string bytes;
};

// Replaces several files that belong together (records and the sidecar that describes them),
// all or none: every new content is written before any file is replaced, and when one
// replacement fails the files already replaced get their old content back. Throws krnz::Error
// naming the file that failed.
void writeFilesAtomically(std::span<const FileContent> files);

namespace detail {

// The final rename step, replaceable so that tests can make it fail after the temporary file
// has been written (permission checks do not stop a test running as root). An empty function
// restores std::filesystem::rename.
using RenameStep = std::function<void(const std::filesystem::path& from,
                                      const std::filesystem::path& to, std::error_code& error)>;
void setRenameStepForTesting(RenameStep step);

// Makes every following write fail at one step, with `error` as errno, until cleared with
// nullopt: CreateTemporary as a read-only folder does, Write after half the bytes as a full
// disk does.
enum class FailingStep { CreateTemporary, Write };
void setFailingStepForTesting(std::optional<FailingStep> step, int error);

}  // namespace detail
}  // namespace krnz::settings
