// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace krnz::analysis {

// Where the operator chain, its dialogs' checks and the macro files send the messages the user
// must read (the message boxes of the toolbox). The GUI shows a box, the command line prints to
// stderr, tests record. Lines are separated by CR LF.
class Reporter {
  public:
    virtual ~Reporter() = default;
    virtual void message(const std::string& text) = 0;
};

}  // namespace krnz::analysis
