// SPDX-License-Identifier: GPL-3.0-or-later
// Every file krnz-cli writes with -o, under every way a write can fail: the folder stays byte
// for byte and the error names the file (main() prints it and exits 1).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "k100_writer.h"
#include "realistic_events.h"
#include "support/failed_write.h"

namespace krnz::cli {
namespace {

namespace fs = std::filesystem;
using test::Fault;
using test::Writer;

void writeK100(const fs::path& folder) {
    test::TempDir::writeTo(folder / "KRN00412.101",
                           eventgen::writeK100(eventgen::makeRealisticK100(0, 21)));
}

// The command line with the folder's event and `output` in it; true for exit status 0.
std::function<bool(const fs::path&)> run(std::vector<std::string> args, const char* output) {
    return [args, output](const fs::path& folder) {
        std::vector<std::string> line = args;
        line.insert(line.begin() + 1, (folder / "KRN00412.101").string());
        line.insert(line.end(), {"-o", (folder / output).string()});
        const Options options = parseOptions(line);
        if (options.command == "batch") return runBatch(options, {}) == 0;
        if (options.command == "export") return runExport(options) == 0;
        if (options.command == "dump") return runDump(options) == 0;
        if (options.command == "wav") return runWav(options) == 0;
        ADD_FAILURE() << "no such command here: " << options.command;
        return false;
    };
}

const Writer kWriters[] = {
    {"BatchCsv", {"summary.csv"}, writeK100, run({"batch", "-j", "1"}, "summary.csv")},
    {"BatchJson",
     {"summary.json"},
     writeK100,
     run({"batch", "-j", "1", "--format", "json"}, "summary.json")},
    {"ExportCsv", {"event.csv"}, writeK100, run({"export", "--format", "csv"}, "event.csv")},
    {"ExportWav4", {"event.wav"}, writeK100, run({"export", "--format", "wav4"}, "event.wav")},
    {"ExportMiniSeed",
     {"event.mseed", "event.mseed.json"},
     writeK100,
     run({"export", "--format", "mseed"}, "event.mseed")},
    {"Dump", {"dump.txt"}, writeK100, run({"dump"}, "dump.txt")},
    {"Wav", {"slot0.wav"}, writeK100, run({"wav", "--slot", "0"}, "slot0.wav")},
};

class CliFailedWrite : public testing::TestWithParam<std::tuple<Writer, Fault>> {};

TEST_P(CliFailedWrite, LeavesTheOldFilesWholeAndSaysSo) {
    const auto& [writer, fault] = GetParam();
    test::expectFailedWriteKeepsTheFolder(writer, fault);
}

INSTANTIATE_TEST_SUITE_P(EveryOutputAndFault, CliFailedWrite,
                         testing::Combine(testing::ValuesIn(kWriters),
                                          testing::ValuesIn(test::kEveryFault)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    test::faultName(std::get<1>(info.param));
                         });

}  // namespace
}  // namespace krnz::cli
