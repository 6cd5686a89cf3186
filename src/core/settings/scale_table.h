// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace krnz::settings {

inline constexpr std::size_t kScaleTableSize = 53;

// The full-scale values offered for a channel strip, in list order. Positions 42..48 repeat the
// values of 35..41 (not 100000..800000); stored settings keep the value, so reading one back
// selects the first equal position.
const std::array<double, kScaleTableSize>& scaleTable();

// The list text of a position: the value's shortest decimal form ("0.125", "12500").
std::string scaleTableText(std::size_t position);

// The first position holding exactly `value`, or 0 when none does.
std::size_t scalePositionOf(double value);

}  // namespace krnz::settings
