// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/page_header.h"

#include <chrono>
#include <cstdio>

#include "core/common/value_format.h"

namespace krnz::report {
namespace {

constexpr double kCompanyPt = 13.0;
constexpr double kSupplementPt = 10.0;
constexpr double kFreeTextPt = 9.0;
constexpr double kVersionPt = 7.5;

}  // namespace

EventDate eventDate(const SampleRecord& rec) {
    // The date built from its parts: a month or day out of range rolls over, as in the panel.
    using namespace std::chrono;
    const int monthIndex = rec.month - 1;
    const int yearOffset = monthIndex >= 0 ? monthIndex / 12 : (monthIndex - 11) / 12;
    const year_month_day firstOfMonth{
        year{calendarYear(rec.year) + yearOffset},
        month{static_cast<unsigned>(monthIndex - 12 * yearOffset + 1)}, day{1}};
    const year_month_day date{sys_days{firstOfMonth} + days{rec.day - 1}};
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day()))};
}

std::string isoDateTime(const SampleRecord& rec) {
    const EventDate date = eventDate(rec);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", date.year, date.month,
                  date.day, static_cast<int>(rec.hour), static_cast<int>(rec.minute),
                  static_cast<int>(rec.second));
    return text;
}

std::string eventIdentificationLine(const SampleRecord& rec, const TextLookup& texts) {
    const auto [y, m, d] = eventDate(rec);
    return texts.text("krn", "instrumentSN") + " " + std::to_string(rec.instrumentSN) + ",   " +
           texts.text("krn", "eventNumber") + " " + std::to_string(rec.eventNumber) + ",   " +
           texts.text("krn", "DateTime") + " " + weekdayAbbrev(y, m, d) + " " + std::to_string(d) +
           " " + monthAbbrev(m) + " " + std::to_string(y) + " " + formatNumber(rec.hour, "00") +
           ":" + formatNumber(rec.minute, "00") + ":" + formatNumber(rec.second, "00");
}

double printCompanyBlock(PageTarget& target, const UserInfo& info, double left, double top,
                         double width) {
    double y = top;
    auto block = [&](const std::string& text, double points, bool bold) {
        if (text.empty()) return;
        target.setFontBold(bold);
        target.setFontSize(points);
        const double h = target.calcTextHeight(text, width);
        target.textBox(text, left, y, width, h);
        y += h;
    };
    block(info.company, kCompanyPt, true);
    block(info.supplement, kSupplementPt, false);
    block(info.freeText, kFreeTextPt, false);
    target.setFontBold(false);
    return y;
}

void printVersion(PageTarget& target, const std::string& version, double right, double top) {
    target.setFontBold(false);
    target.setFontSize(kVersionPt);
    const std::string text = "version " + version;
    const double w = target.textWidth(text);
    target.textBox(text, right - w, top, w, target.textHeight(text), TextAlign::Right);
}

}  // namespace krnz::report
