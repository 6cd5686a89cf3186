// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
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

// The extremes of every block of kRowBlock samples of each slot, NaN left out (+inf and -inf
// for a block of none). Made once for a set of samples, they let a reduction to any number of
// rows read a fraction of the samples; they describe the samples they were made from only.
inline constexpr std::int32_t kRowBlock = 256;
struct BlockExtremes {
    std::int32_t samplesPerRow = -1;  // of the samples they were made from; -1: none made
    std::array<std::vector<float>, kSlots> min, max;
};
BlockExtremes blockExtremes(const SampleRecord& rec);

// `reduceToRows` of H rows (H >= 1): row r of every slot takes the extremes of samples
// floor(r * step) .. floor((r + 1) * step) - 1, step = n / H, with the position accumulated
// row by row; the last row also takes every sample left over. A row narrower than one sample
// shows the sample at its start. Sets previousRowCount, rowCount and secondsPerRow.
// `blocks`, when given, must have been made from rec's samples as they are now; the rows come
// out the same to the bit.
void reduceToRows(RowData& rows, const SampleRecord& rec, std::int32_t H,
                  const BlockExtremes* blocks = nullptr);

}  // namespace krnz::view
