// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/verdict_table.h"

#include <algorithm>

#include "core/analysis/panel_texts.h"
#include "core/common/value_format.h"

namespace krnz::report {
namespace {

constexpr double kTablePt = 8.0;
constexpr double kSmallestPt = 6.0;
constexpr std::int32_t kExceedRed = 0x1A1AB4;  // the limit lines' red: red is the low byte
constexpr std::int32_t kBelowGreen = 0x2E7D32;
constexpr std::int32_t kBlack = 0x000000;

std::string threeDigits(const std::optional<double>& v) {
    return v ? significantText(*v, 3) : "-";
}

}  // namespace

VerdictTable verdictTable(const Verdict& verdict, const PpvzxStandard& standard, const Event& event,
                          const TextLookup& texts) {
    auto t = [&](const char* key) { return texts.text("verdict", key); };
    VerdictTable table;
    table.captions = {t("channel"),   t("line"),  t("worstRatio"), t("amplitude"),
                      t("frequency"), t("limit"), std::string()};
    table.units = {"", "", "", "mm/s", "Hz", "mm/s", ""};
    table.method = verdictMethod(standard, texts);
    for (const ChannelVerdict& channel : verdict.channels) {
        if (!channel.plottable) continue;
        for (const LineVerdict& line : channel.lines) {
            VerdictRow row;
            row.slot = channel.slot;
            row.channel = channelCaption(event, channel.slot);
            row.line = std::to_string(line.line + 1);
            row.ratio = threeDigits(line.worstRatio);
            row.amplitude = threeDigits(line.amplitude);
            row.frequency = threeDigits(line.frequency);
            row.limit = threeDigits(line.limit);
            row.exceeds = line.exceeds;
            row.mark = !line.worstRatio ? t("none") : line.exceeds ? t("exceeds") : t("below");
            table.rows.push_back(std::move(row));
        }
    }
    return table;
}

double printVerdictTable(PageTarget& target, const VerdictTable& table, double left, double top,
                         double width, bool color) {
    // Each column as wide as its widest text; a narrow place takes a smaller font.
    std::array<double, 7> widths{};
    double points = kTablePt;
    for (;; points -= 0.5) {
        target.setFontSize(points);
        target.setFontBold(true);
        double used = 0.0;
        for (std::size_t c = 0; c < widths.size(); ++c) {
            widths[c] =
                std::max(target.textWidth(table.captions[c]), target.textWidth(table.units[c]));
            for (const VerdictRow& r : table.rows)
                widths[c] = std::max(widths[c], target.textWidth(*r.cells()[c]));
            used += widths[c];
        }
        if (used + 6 * target.textWidth("  ") <= width || points <= kSmallestPt) break;
    }
    const double lh = target.textHeight("X");
    double used = 0.0;
    for (const double w : widths) used += w;
    const double gap = std::max(0.0, (width - used) / static_cast<double>(widths.size() - 1));

    auto rowAt = [&](double y, const std::array<const std::string*, 7>& cells, bool bold,
                     bool exceeds) {
        double x = left;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const bool mark = c + 1 == cells.size() && !cells[c]->empty();
            target.setFontBold(bold || (mark && exceeds));
            if (mark && color) target.setPenColor(exceeds ? kExceedRed : kBelowGreen);
            // Numbers line up on the right of their column, words on the left.
            const bool number = c >= 2 && c + 1 < cells.size();
            target.textBox(*cells[c], x, y, widths[c], lh,
                           number ? TextAlign::Right : TextAlign::Left);
            target.setPenColor(kBlack);
            x += widths[c] + gap;
        }
    };

    double y = top;
    std::array<const std::string*, 7> head{};
    std::array<const std::string*, 7> units{};
    for (std::size_t c = 0; c < head.size(); ++c) {
        head[c] = &table.captions[c];
        units[c] = &table.units[c];
    }
    rowAt(y, head, true, false);
    y += lh;
    rowAt(y, units, false, false);
    y += lh;
    target.setPenWidth(0);
    target.setPenStyle(PenStyle::Solid);
    target.drawLine(left, y, left + width, y);
    y += 0.2 * lh;
    for (const VerdictRow& r : table.rows) {
        rowAt(y, r.cells(), false, r.exceeds);
        y += lh;
    }
    y += 0.3 * lh;
    target.setFontBold(false);
    const double h = target.calcTextHeight(table.method, width);
    target.textBox(table.method, left, y, width, h);
    return y + h - top;
}

}  // namespace krnz::report
