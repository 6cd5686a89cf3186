// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/info_box.h"

#include <algorithm>

namespace krnz::report {
namespace {

constexpr double kInfoPt = 8.5;
constexpr std::int32_t kBlack = 0x000000;

struct Part {
    const std::string* labels;
    const std::string* values;
    double labelWidth;
    bool present() const { return !labels->empty() || !values->empty(); }
};

// Height of a two-column part at `width`, values wrapped to what the labels leave.
double partHeight(PageTarget& target, const Part& part, double width, double gap) {
    const double valueWidth = std::max(gap, width - part.labelWidth - gap);
    return std::max(target.textHeight(*part.labels), target.calcTextHeight(*part.values, valueWidth));
}

void drawPart(PageTarget& target, const Part& part, double left, double top, double width, double height,
              double gap) {
    target.textBox(*part.labels, left, top, part.labelWidth, height);
    target.textBox(*part.values, left + part.labelWidth + gap, top, std::max(gap, width - part.labelWidth - gap),
                   height);
}

}  // namespace

double printInfoBox(PageTarget& target, const InfoBoxTexts& texts, double left, double top, double width,
                    bool stacked) {
    target.setFontBold(false);
    target.setFontSize(kInfoPt);
    const double lh = target.textHeight("X");
    const double pad = 0.5 * lh;
    const double gap = 0.6 * lh;
    const double col14 = target.textWidth("XXXXXXXXXXXXXX");
    const double col17 = target.textWidth("XXXXXXXXXXXXXXXXX");

    Part sample{&texts.sampleLabels, &texts.sampleValues, std::max(col14, target.textWidth(texts.sampleLabels))};
    Part user{&texts.userCaptions, &texts.userValues, std::max(target.textWidth("XXXXXXXX"), target.textWidth(texts.userCaptions))};
    if (!sample.present() && !user.present()) return 0.0;

    const double inner = width - 2 * pad;
    double sampleWidth = inner;
    if (!stacked && sample.present() && user.present())
        sampleWidth = std::min(inner / 2, sample.labelWidth + gap + std::max(col17, target.textWidth(texts.sampleValues)));
    const double userLeftOffset = !stacked && sample.present() ? sampleWidth + 2 * pad : 0.0;
    const double userWidth = inner - userLeftOffset;

    const double sampleH = sample.present() ? partHeight(target, sample, sampleWidth, gap) : 0.0;
    const double userH = user.present() ? partHeight(target, user, userWidth, gap) : 0.0;
    const bool both = sample.present() && user.present();
    const double height = stacked ? pad + sampleH + (both ? 2 * pad : 0.0) + userH + pad
                                  : pad + std::max(sampleH, userH) + pad;

    target.setPenColor(kBlack);
    target.setPenWidth(0);
    target.setPenStyle(PenStyle::Solid);
    const double right = left + width;
    const double bottom = top + height;
    target.drawLine(left, top, right, top);
    target.drawLine(right, top, right, bottom);
    target.drawLine(right, bottom, left, bottom);
    target.drawLine(left, bottom, left, top);

    if (sample.present()) drawPart(target, sample, left + pad, top + pad, sampleWidth, sampleH, gap);
    if (user.present()) {
        const double userTop = stacked && sample.present() ? top + pad + sampleH + 2 * pad : top + pad;
        drawPart(target, user, left + pad + userLeftOffset, userTop, userWidth, userH, gap);
    }
    if (both) {
        if (stacked) {
            const double y = top + pad + sampleH + pad;
            target.drawLine(left, y, right, y);
        } else {
            const double x = left + pad + sampleWidth + pad;
            target.drawLine(x, top, x, bottom);
        }
    }
    return height;
}

}  // namespace krnz::report
