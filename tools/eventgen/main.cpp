// SPDX-License-Identifier: GPL-3.0-or-later
// krnz-eventgen: writes synthetic event files (the bundled samples or one realistic event).

#include "event_generator.h"

#include <cstdlib>
#include <exception>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace krnz::eventgen;

constexpr std::string_view kUsage =
    "usage: krnz-eventgen samples DIR\n"
    "       krnz-eventgen k100|k200 --out FILE [--reglen I] [--seed S]\n"
    "       krnz-eventgen tremolog --out FILE [--frq F] [--samples N] [--seed S] [--ips] [--psi]\n";

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Options {
    std::optional<std::string> out;
    int regLengthIndex = 0;
    std::uint32_t seed = 1;
    double frq = 1000.0;
    std::int32_t samples = 4000;
    bool ips = false;
    bool psi = false;
};

long long parseInteger(const std::string& text, long long lo, long long hi, std::string_view name) {
    std::size_t used = 0;
    long long value = 0;
    try {
        value = std::stoll(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || value < lo || value > hi)
        throw UsageError(std::string(name) + " must be an integer in " + std::to_string(lo) + ".." +
                         std::to_string(hi));
    return value;
}

double parseNumber(const std::string& text, std::string_view name) {
    std::size_t used = 0;
    double value = 0.0;
    try {
        value = std::stod(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size()) throw UsageError(std::string(name) + " must be a number");
    return value;
}

Options parseOptions(const std::vector<std::string>& args, std::size_t first) {
    Options options;
    for (std::size_t k = first; k < args.size(); ++k) {
        const std::string& arg = args[k];
        const auto value = [&]() -> const std::string& {
            if (k + 1 >= args.size()) throw UsageError(arg + " needs a value");
            return args[++k];
        };
        if (arg == "--out" || arg == "-o")
            options.out = value();
        else if (arg == "--reglen")
            options.regLengthIndex = static_cast<int>(parseInteger(value(), 0, 4, "--reglen"));
        else if (arg == "--seed")
            options.seed =
                static_cast<std::uint32_t>(parseInteger(value(), 0, 4294967295LL, "--seed"));
        else if (arg == "--frq")
            options.frq = parseNumber(value(), "--frq");
        else if (arg == "--samples")
            options.samples =
                static_cast<std::int32_t>(parseInteger(value(), 0, 0x7FFFFFFF, "--samples"));
        else if (arg == "--ips")
            options.ips = true;
        else if (arg == "--psi")
            options.psi = true;
        else
            throw UsageError("unknown option " + arg);
    }
    if (!options.out) throw UsageError("--out FILE is required");
    return options;
}

int run(const std::vector<std::string>& args) {
    if (args.empty()) throw UsageError("no command");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h") {
        std::cout << kUsage;
        return 0;
    }
    if (command == "samples") {
        if (args.size() != 2) throw UsageError("samples needs exactly one folder");
        for (const auto& path : writeSampleSet(args[1])) std::cout << path.string() << '\n';
        return 0;
    }

    const Options options = parseOptions(args, 1);
    std::vector<std::uint8_t> bytes;
    if (command == "k100")
        bytes = writeK100(makeRealisticK100(options.regLengthIndex, options.seed));
    else if (command == "k200")
        bytes = writeK200(makeRealisticK200(options.regLengthIndex, options.seed));
    else if (command == "tremolog")
        bytes = writeTremolog(makeRealisticTremolog(options.frq, options.samples, options.seed,
                                                    options.ips, options.psi));
    else
        throw UsageError("unknown command " + command);
    saveFile(*options.out, bytes);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        return run(args);
    } catch (const UsageError& e) {
        std::cerr << "krnz-eventgen: " << e.what() << '\n' << kUsage;
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "krnz-eventgen: " << e.what() << '\n';
        return 1;
    }
}
