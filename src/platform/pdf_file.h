// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "core/report/page_target.h"

namespace krnz::platform {

// Resolution of written PDF files: fine enough that a trace's vertex lands where it is meant to.
inline constexpr int kPdfResolutionDpi = 1200;

// Writes an A4 PDF composed by `compose` on a page target (which calls startDoc and endDoc).
// The file is written whole or not at all: it is composed in memory and then replaces `path`
// atomically. Throws krnz::Error when the page cannot be started or the file not written.
void writePdfFile(const std::filesystem::path& path, const std::string& title,
                  const std::string& creator,
                  const std::function<void(report::PageTarget&)>& compose);

}  // namespace krnz::platform
