// SPDX-License-Identifier: GPL-3.0-or-later
// krnz-cli: every number the desktop program shows, for scripts and batch work.
#include <cstdio>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "core/common/error.h"
#include "core/event/event_reader.h"
#include "krnz_version.h"

namespace {

// Messages keep the CR LF of the Windows message boxes they come from; a terminal wants LF.
std::string terminalText(std::string text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    return out;
}

int run(const krnz::cli::Options& options) {
    using namespace krnz::cli;
    if (options.command == "info") return runInfo(options);
    if (options.command == "samples") return runSamples(options);
    if (options.command == "dump") return runDump(options);
    if (options.command == "ppvzx") return runPpvzx(options);
    if (options.command == "spectrum") return runSpectrum(options);
#ifdef KRNZ_HAVE_REPORT
    if (options.command == "report") return runReport(options);
#endif
    if (options.command == "wav") return runWav(options);
    if (options.command == "verdict") return runVerdict(options);
    if (options.command == "export") return runExport(options);
#ifdef KRNZ_HAVE_REPORT
    if (options.command == "batch") return runBatch(options, reportPageWriter());
#else
    if (options.command == "batch") return runBatch(options, {});
#endif
    throw UsageError("\"" + options.command + "\" is not available in this build yet");
}

}  // namespace

int main(int argc, char** argv) {
    using namespace krnz::cli;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << usageText();
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "krnz-cli " KRNZ_VERSION_STRING "\n";
        return 0;
    }
    Options options;
    try {
        options = parseOptions(args);
    } catch (const UsageError& e) {
        std::cerr << "krnz-cli: " << e.what() << "\n" << usageText();
        return 2;
    }
    if (options.help) {
        std::cout << commandUsage(options.command);
        return 0;
    }
    try {
        return run(options);
    } catch (const UsageError& e) {
        std::cerr << "krnz-cli: " << e.what() << "\n" << commandUsage(options.command);
        return 2;
    } catch (const krnz::ReadRejected& e) {
        for (const std::string& message : e.messages()) std::cerr << terminalText(message) << "\n";
        return 1;
    } catch (const krnz::CorruptFile& e) {
        std::cerr << "file corrupt\n(error " << e.number() << ": " << e.text() << ")\n";
        return 1;
    } catch (const krnz::Error& e) {
        // A file that could not be opened or written, an event that cannot be analysed.
        std::cerr << "krnz-cli: " << terminalText(e.text()) << "\n";
        return 1;
    } catch (const std::bad_alloc&) {
        std::cerr << "file corrupt\n(out of memory)\n";
        return 1;
    }
}
