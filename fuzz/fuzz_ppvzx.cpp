// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as "PPVZX.ini": read, and every standard it yields drawn with a few half-waves onto
// a recording page and judging them. The table's promises must hold (labels never empty, each
// line's x and y of one length), every line drawn must have finite ends, and the verdict's
// numbers are finite or absent: a ratio is the largest of its line, its limit positive, and a
// line is exceeded exactly when its ratio passes 1.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/analysis/reporter.h"
#include "core/common/error.h"
#include "core/report/ppvzx_config.h"
#include "core/report/ppvzx_drawing.h"
#include "core/report/recording_page_target.h"
#include "core/report/verdict.h"

namespace {

class Silent final : public krnz::analysis::Reporter {
  public:
    void message(const std::string&) override {}
};

krnz::SampleRecord halfWaves() {
    krnz::SampleRecord rec;
    const double amps[] = {0.0, 0.4, 12.5, 300.0};
    const double frqs[] = {0.0, 1.0, 37.0, 900.0};
    for (int c = 0; c < krnz::kSlots; ++c)
        for (int k = 0; k < 4; ++k) {
            rec.highAmps[c].push_back(amps[(k + c) % 4]);
            rec.highAmpFrqs[c].push_back(frqs[k]);
        }
    return rec;
}

void checkVerdict(const krnz::report::PpvzxStandard& standard, const krnz::SampleRecord& rec) {
    using namespace krnz::report;
    for (int c = 0; c < krnz::kSlots; ++c) {
        const ChannelVerdict v =
            judgeChannel(standard, c, c != 3, rec.highAmps[c], rec.highAmpFrqs[c]);
        if (v.lines.size() != standard.lines.size()) std::abort();
        for (const LineVerdict& line : v.lines) {
            if (c == 3 && (line.worstRatio || line.exceeds)) std::abort();
            if (line.exceeds != (line.worstRatio && *line.worstRatio > 1.0)) std::abort();
            if (!line.worstRatio) continue;
            if (!std::isfinite(*line.worstRatio) || !(*line.limit > 0.0) ||
                !std::isfinite(*line.limit))
                std::abort();
            for (std::size_t k = 0; k < rec.highAmps[c].size(); ++k) {
                if (!(rec.highAmps[c][k] > 0.0 && rec.highAmpFrqs[c][k] > 0.0)) continue;
                const std::optional<double> limit =
                    limitAt(standard, standard.lines[static_cast<std::size_t>(line.line)],
                            rec.highAmpFrqs[c][k]);
                if (limit && rec.highAmps[c][k] / *limit > *line.worstRatio) std::abort();
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace krnz::report;
    PpvzxTable table;
    try {
        table = parsePPVZXini(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const krnz::Error&) {
        return 0;
    }
    if (table.xLabels.empty() || table.yLabels.empty()) std::abort();
    for (const PpvzxStandard& standard : table.standards)
        for (const LimitLine& line : standard.lines)
            if (line.lineX.size() != line.lineY.size()) std::abort();

    static const krnz::SampleRecord rec = halfWaves();
    Silent reporter;
    PpvzxDiagram diagram;
    diagram.table = &table;
    diagram.rec = &rec;
    diagram.channelOn.fill(true);
    const int shown = static_cast<int>(table.standards.size() < 4 ? table.standards.size() : 4);
    for (int s = 0; s < shown; ++s) checkVerdict(table.standards[static_cast<std::size_t>(s)], rec);
    for (int s = -1; s < shown; ++s) {
        diagram.standard = s;
        RecordingPageTarget target;
        try {
            drawPPVZX(target, diagram, PageRect{500, 500, 9000, 7000}, reporter);
        } catch (const krnz::Error&) {
        }
        for (const PageCall& call : target.calls())
            if (call.op == PageCall::Op::Line &&
                !(std::isfinite(call.x1) && std::isfinite(call.y1) && std::isfinite(call.x2) &&
                  std::isfinite(call.y2)))
                std::abort();
    }
    return 0;
}
