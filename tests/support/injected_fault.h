// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The ways a write can fail, injected into the atomic writer for any test framework.
#include <cerrno>
#include <filesystem>
#include <optional>
#include <ostream>
#include <system_error>

#include "core/settings/atomic_file.h"

namespace krnz::test {

// ReadOnlyFolder: the temporary file cannot be made; DiskFull: it is cut half-way; RenameFails:
// it cannot replace the target.
enum class Fault { ReadOnlyFolder, DiskFull, RenameFails };

inline const char* faultName(Fault fault) {
    switch (fault) {
        case Fault::ReadOnlyFolder:
            return "ReadOnlyFolder";
        case Fault::DiskFull:
            return "DiskFull";
        case Fault::RenameFails:
            return "RenameFails";
    }
    return "?";
}

inline void PrintTo(Fault fault, std::ostream* os) {
    *os << faultName(fault);
}

inline const Fault kEveryFault[] = {Fault::ReadOnlyFolder, Fault::DiskFull, Fault::RenameFails};

// Injects the fault for the lifetime of the object, and always clears it again. Permission bits
// cannot stand in for it: the tests may run as root.
class InjectedFault {
  public:
    explicit InjectedFault(Fault fault) {
        namespace fs = std::filesystem;
        switch (fault) {
            case Fault::ReadOnlyFolder:
                settings::detail::setFailingStepForTesting(
                    settings::detail::FailingStep::CreateTemporary, EROFS);
                break;
            case Fault::DiskFull:
                settings::detail::setFailingStepForTesting(settings::detail::FailingStep::Write,
                                                           ENOSPC);
                break;
            case Fault::RenameFails:
                settings::detail::setRenameStepForTesting(
                    [](const fs::path&, const fs::path&, std::error_code& e) {
                        e = std::make_error_code(std::errc::permission_denied);
                    });
                break;
        }
    }
    ~InjectedFault() {
        settings::detail::setFailingStepForTesting(std::nullopt, 0);
        settings::detail::setRenameStepForTesting({});
    }
    InjectedFault(const InjectedFault&) = delete;
    InjectedFault& operator=(const InjectedFault&) = delete;
};

}  // namespace krnz::test
