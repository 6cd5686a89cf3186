// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/event/event.h"

namespace krnz::view {

// The samples of every slot reduced to one minimum and one maximum per pixel row of a strip.
// The drawing, the cursor readouts and the spectrum selection all read these.
struct RowData {
    std::int32_t rowCount = 0;          // H: pixel rows of a strip at the last reduction
    std::int32_t previousRowCount = 0;  // H before it; 0 until the first reduction of an event
    double secondsPerRow = 0.0;
    std::vector<float> rowMin;  // slot-major: slot c, row r at c * rowCount + r
    std::vector<float> rowMax;

    float min(int slot, std::int32_t row) const { return rowMin[index(slot, row)]; }
    float max(int slot, std::int32_t row) const { return rowMax[index(slot, row)]; }

    // Opening an event starts the row counts afresh, so cursors are not rescaled across events.
    void reset() { previousRowCount = rowCount = 0; }

  private:
    std::size_t index(int slot, std::int32_t row) const {
        return static_cast<std::size_t>(slot) * static_cast<std::size_t>(rowCount) +
               static_cast<std::size_t>(row);
    }
};

// `reduceToRows` of H rows (H >= 1): row r of every slot takes the extremes of samples
// floor(r * step) .. floor((r + 1) * step) - 1, step = n / H, with the position accumulated
// row by row; the last row also takes every sample left over. A row narrower than one sample
// shows the sample at its start. Sets previousRowCount, rowCount and secondsPerRow.
void reduceToRows(RowData& rows, const SampleRecord& rec, std::int32_t H);

}  // namespace krnz::view
