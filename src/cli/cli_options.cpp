// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_options.h"

#include <algorithm>
#include <charconv>
#include <map>

namespace krnz::cli {
namespace {

const std::map<std::string, std::string> kCommandUsage = {
    {"info", "krnz-cli info     FILE [common options]"},
    {"samples", "krnz-cli samples  FILE [common options]"},
    {"spectrum",
     "krnz-cli spectrum FILE --first I --last J [--window rect|geo|hanning] "
     "[--kind fft|psd|esd] [common options]"},
    {"ppvzx", "krnz-cli ppvzx    FILE [--peaks N|all] [common options]"},
    {"wav", "krnz-cli wav      FILE --slot C -o OUT.wav [common options]"},
    {"dump", "krnz-cli dump     FILE -o OUT.txt [--group 1|2]"},
    {"report",
     "krnz-cli report   FILE -o OUT.pdf | --printer [NAME] [--ppvzx | --only-ppvzx] "
     "[--standard NAME] [--standards FILE] [common options]"},
    {"export", "krnz-cli export   FILE --format mseed|csv|wav4 -o OUT [common options]"},
    {"verdict", "krnz-cli verdict  FILE [--standard NAME] [--standards FILE] [common options]"},
    {"batch",
     "krnz-cli batch    DIR|FILE... [--recursive] [--standard NAME] [--standards FILE] "
     "[--format csv|json] [-o OUT] [--pdf-dir DIR] [-j N]"},
};

long long parseInteger(const std::string& option, const std::string& text) {
    long long v = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || ptr != text.data() + text.size())
        throw UsageError(option + " needs a whole number, not \"" + text + "\"");
    return v;
}

std::vector<int> parseList(const std::string& option, const std::string& text, int lo, int hi) {
    std::vector<int> values;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const long long v = parseInteger(option, text.substr(start, comma - start));
        if (v < lo || v > hi)
            throw UsageError(option + " takes numbers from " + std::to_string(lo) + " to " +
                             std::to_string(hi));
        values.push_back(static_cast<int>(v));
        start = comma + 1;
    }
    return values;
}

void checkFormat(const Options& o) {
    if (o.command == "export") {
        if (!o.format) throw UsageError("export needs --format mseed|csv|wav4");
        if (*o.format != "mseed" && *o.format != "csv" && *o.format != "wav4")
            throw UsageError("--format takes mseed, csv or wav4");
    } else if (o.command == "batch") {
        if (o.format && *o.format != "csv" && *o.format != "json")
            throw UsageError("--format takes csv or json");
        // A batch measures each file as it stands.
        if (o.macroFile || o.sourceChannels || o.interpolateRows || o.channelGroup != 1)
            throw UsageError("batch takes no --macro, --source, --interpolate or --group");
    } else if (o.format) {
        throw UsageError("--format is an option of export and batch");
    }
}

}  // namespace

std::string usageText() {
    std::string text = "usage:\n";
    for (const char* name : {"info", "samples", "spectrum", "ppvzx", "wav", "dump", "report",
                             "export", "verdict", "batch"})
        text += "  " + kCommandUsage.at(name) + "\n";
    text += "  krnz-cli --help | --version ; every subcommand takes --help\n";
    text += "common options: --group 1|2, --macro FILE, --source a,b,c,d, --interpolate r[,r...]\n";
    return text;
}

std::string commandUsage(const std::string& command) {
    const auto it = kCommandUsage.find(command);
    if (it == kCommandUsage.end()) return usageText();
    std::string text = "usage: " + it->second + "\n";
    if (command == "report")
        text +=
            "  a spectrum page instead of the event page: --first I --last J "
            "[--window rect|geo|hanning] [--kind fft|psd|esd]\n";
    return text;
}

Options parseOptions(const std::vector<std::string>& args) {
    Options o;
    if (args.empty()) throw UsageError("no command given");
    o.command = args[0];
    if (!kCommandUsage.contains(o.command))
        throw UsageError("unknown command \"" + o.command + "\"");
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto next = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw UsageError(a + " needs a value");
            return args[++i];
        };
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--group") {
            const long long g = parseInteger(a, next());
            if (g != 1 && g != 2) throw UsageError("--group takes 1 or 2");
            o.channelGroup = static_cast<int>(g);
        } else if (a == "--macro") {
            o.macroFile = next();
        } else if (a == "--source") {
            o.sourceChannels = parseList(a, next(), 1, 4);
            if (o.sourceChannels->size() != 4)
                throw UsageError("--source takes four channels a,b,c,d");
        } else if (a == "--interpolate") {
            o.interpolateRows = parseList(a, next(), 0, 3);
        } else if (a == "-o" || a == "--output") {
            o.output = next();
        } else if (a == "--first") {
            o.first = parseInteger(a, next());
        } else if (a == "--last") {
            o.last = parseInteger(a, next());
        } else if (a == "--window") {
            o.window = next();
            if (o.window != "rect" && o.window != "geo" && o.window != "hanning")
                throw UsageError("--window takes rect, geo or hanning");
        } else if (a == "--kind") {
            o.kind = next();
            if (o.kind != "fft" && o.kind != "psd" && o.kind != "esd")
                throw UsageError("--kind takes fft, psd or esd");
        } else if (a == "--peaks") {
            o.peaks = next();
            if (*o.peaks != "all" && parseInteger(a, *o.peaks) < 1)
                throw UsageError("--peaks takes a positive number or all");
        } else if (a == "--slot") {
            const long long s = parseInteger(a, next());
            if (s < 0 || s > 3) throw UsageError("--slot takes 0..3");
            o.slot = static_cast<int>(s);
        } else if (a == "--ppvzx") {
            o.ppvzx = true;
        } else if (a == "--only-ppvzx") {
            o.onlyPpvzx = true;
        } else if (a == "--standard") {
            o.standard = next();
        } else if (a == "--printer") {
            // The name is optional: a following word is taken for it once FILE is known.
            o.printer = "";
            if (!o.file.empty() && i + 1 < args.size() && !args[i + 1].starts_with("-"))
                o.printer = args[++i];
        } else if (a.starts_with("--printer=")) {
            o.printer = a.substr(std::string("--printer=").size());
        } else if (a == "--standards") {
            o.standardsFile = next();
        } else if (a == "--format") {
            o.format = next();
        } else if (a == "--recursive" || a == "-r") {
            o.recursive = true;
        } else if (a == "--pdf-dir") {
            o.pdfDir = next();
        } else if (a == "-j" || a == "--jobs") {
            const long long j = parseInteger(a, next());
            if (j < 1 || j > 1024)
                throw UsageError(a + " takes a number of threads from 1 to 1024");
            o.jobs = static_cast<int>(j);
        } else if (!a.empty() && a[0] == '-' && a != "-") {
            throw UsageError("unknown option " + a);
        } else if (o.file.empty() || o.command == "batch") {
            if (o.file.empty()) o.file = a;
            o.inputs.push_back(a);
        } else {
            throw UsageError("more than one FILE: " + a);
        }
    }
    if (o.help) return o;
    if (o.file.empty())
        throw UsageError(o.command == "batch" ? "no DIR or FILE given" : "FILE is missing");
    checkFormat(o);
    return o;
}

}  // namespace krnz::cli
