// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_texts.h"
#include "cli/commands.h"
#include "core/analysis/reporter.h"
#include "core/event/event_reader.h"

namespace krnz::cli {
namespace {

// The toolbox's message boxes, kept until it is known whether the run went ahead.
class CollectingReporter final : public analysis::Reporter {
  public:
    void message(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

std::string withoutCr(const std::string& text) {
    std::string out;
    for (const char c : text)
        if (c != '\r') out += c;
    return out;
}

// Runs the operator chain as the toolbox's "show" does. A macro file that cannot be used stops
// the command (exit 1 with the program's message); messages of the run itself (an illegal unit,
// an unknown operator) go to stderr and the command goes on with the rows as the chain left them.
void runChain(const Options& options, Workspace& workspace) {
    analysis::BatchChainOptions chain;
    if (options.macroFile) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(*options.macroFile, error))
            throw ReadRejected(kErrFileNotFound, {"macro file not found: " + *options.macroFile});
        chain.macroFile = *options.macroFile;
    }
    if (options.sourceChannels)
        for (int r = 0; r < kSlots; ++r) chain.sourceChannel[r] = (*options.sourceChannels)[r];
    if (options.interpolateRows)
        for (const int r : *options.interpolateRows) chain.intOn[r] = true;

    CollectingReporter reporter;
    if (!workspace.runChain(chain, reporter)) throw ReadRejected(kErrProgram, reporter.messages);
    for (const std::string& message : reporter.messages) std::cerr << withoutCr(message) << "\n";
}

}  // namespace

Workspace loadWorkspace(const Options& options, const settings::Options& display) {
    Workspace workspace(cliTexts());
    workspace.setOptions(display);
    workspace.open(options.file, ReadOptions{options.channelGroup, std::nullopt});
    if (options.macroFile || options.sourceChannels || options.interpolateRows)
        runChain(options, workspace);
    return workspace;
}

}  // namespace krnz::cli
