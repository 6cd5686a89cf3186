// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report/ppvzx_axes.h"

#include <algorithm>
#include <cmath>

#include "core/common/error.h"

namespace krnz::report {

PpvzxAxes::PpvzxAxes(const PpvzxTable& table, const PpvzxStandard& standard, double width,
                     double height, double pixelX, double pixelY)
    : m_table(table), m_standard(standard), m_w(width - pixelX), m_h(height - pixelY) {}

void PpvzxAxes::note(const std::string& message) {
    if (std::find(m_messages.begin(), m_messages.end(), message) == m_messages.end())
        m_messages.push_back(message);
}

double PpvzxAxes::axisValue(double v, bool log, const char* zeroMessage) {
    if (!log) return v;
    if (v == 0.0) {
        note(zeroMessage);
        return 0.0;
    }
    if (!(v > 0.0)) {
        note("Invalid procedure call or argument");
        return 0.0;
    }
    return std::log(v);
}

double PpvzxAxes::xAxisValue(double v) {
    return axisValue(v, m_standard.xLog, "xLog(0) error");
}

double PpvzxAxes::yAxisValue(double v) {
    return axisValue(v, m_standard.yLog, "yLog(0) error");
}

double PpvzxAxes::xToPixel(double frequencyHz) {
    if (frequencyHz < 1.0) return 1.0;
    const double x0 = xAxisValue(m_table.xLabels.front());
    const double x1 = xAxisValue(m_table.xLabels.back());
    if (x1 == x0) throwDivisionByZero();
    return (xAxisValue(frequencyHz) - x0) * m_w / (x1 - x0);
}

double PpvzxAxes::yToPixel(double velocityMmPerS) {
    if (velocityMmPerS < 1.0) return m_h;
    const double y0 = yAxisValue(m_table.yLabels.front());
    const double y1 = yAxisValue(m_table.yLabels.back());
    if (y1 == y0) throwDivisionByZero();
    return m_h - (yAxisValue(velocityMmPerS) - y0) * m_h / (y1 - y0);
}

}  // namespace krnz::report
