// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/ppvzx_config.h"

#include <cstdio>
#include <optional>

#include "core/common/comma_list.h"
#include "core/common/error.h"
#include "core/common/leading_number.h"
#include "core/settings/ini_document.h"
#include "core/settings/ini_text.h"
#include "core/settings/ini_values.h"

namespace krnz::report {
namespace {

constexpr double kMmPerInch = 25.4;
constexpr int kMaxLines = 100;  // "line00" .. "line99"

// The elements of a comma list up to the first empty one. The first element is always kept,
// so the result is never empty; `strictFirst` converts it as a strict number.
std::vector<double> labelValues(std::string list, bool strictFirst) {
    std::vector<double> values;
    std::string element;
    bool more = extractCommaElem(list, element);
    if (strictFirst) {
        const std::optional<double> first = settings::parseNumber(element);
        if (!first) throw Error(kErrTypeMismatch, "Type mismatch");
        values.push_back(*first);
    } else {
        values.push_back(val(element));
    }
    while (more) {
        more = extractCommaElem(list, element);
        if (more) values.push_back(val(element));
    }
    return values;
}

// x,y pairs of a line key; an x without its y is dropped, so every vertex has both.
LimitLine parseLine(std::string list, double yFactor) {
    LimitLine line;
    std::string x;
    std::string y;
    while (extractCommaElem(list, x) && extractCommaElem(list, y)) {
        line.lineX.push_back(val(x));
        line.lineY.push_back(val(y) * yFactor);
    }
    return line;
}

bool isLog(const std::string& scale) {
    return settings::sameText(scale, "log");
}

PpvzxStandard readStandard(const settings::IniDocument& ini, const std::string& section) {
    PpvzxStandard s;
    s.name = section;
    s.stdUnit = ini.get(section, "unit", "mm/s");
    s.xLog = isLog(ini.get(section, "xScale", "log"));
    s.yLog = isLog(ini.get(section, "yScale", "log"));
    const bool mm = s.inMmPerS();
    s.xStart = val(ini.get(section, "xStart", mm ? "1" : "0.04"));
    s.xStop = val(ini.get(section, "xStop", mm ? "500" : "20"));
    s.yStart = val(ini.get(section, "yStart", mm ? "2.5" : "0.1"));
    s.yStop = val(ini.get(section, "yStop", mm ? "250" : "10"));
    const double yFactor = mm ? 1.0 : kMmPerInch;
    s.yStart *= yFactor;
    s.yStop *= yFactor;
    for (int i = 0; i < kMaxLines; ++i) {
        // A missing key reads as its default " ", which the profile read trims to nothing.
        const std::optional<std::string> text = ini.find(section, lineKey(i));
        if (!text || text->empty()) break;
        s.lines.push_back(parseLine(*text, yFactor));
    }
    return s;
}

PpvzxTable readTable(const settings::IniDocument& ini) {
    PpvzxTable table;
    table.xLabels = labelValues(ini.get("general", "xLabels", "1,100"), true);
    table.yLabels = labelValues(ini.get("general", "yLabels", "1,100"), false);
    for (const std::string& section : ini.sectionNames()) {
        // Section names match without regard to case, so "[General]" is the labels' section too.
        if (settings::sameText(section, "general")) continue;
        table.standards.push_back(readStandard(ini, section));
    }
    return table;
}

}  // namespace

int PpvzxTable::indexOf(std::string_view name) const {
    for (std::size_t i = 0; i < standards.size(); ++i)
        if (standards[i].name == name) return static_cast<int>(i);
    return -1;
}

std::string lineKey(int line) {
    char key[16];
    std::snprintf(key, sizeof key, "line%02d", line);
    return key;
}

PpvzxTable readPPVZXini(const std::filesystem::path& file) {
    return readTable(settings::IniDocument::load(file));
}

PpvzxTable parsePPVZXini(std::string_view content) {
    return readTable(settings::IniDocument::parse(content));
}

}  // namespace krnz::report
