// SPDX-License-Identifier: GPL-3.0-or-later
#include "random.h"

#include <cmath>

namespace krnz::eventgen {

double Random::logUniform(double lo, double hi) {
    return lo * std::exp(std::log(hi / lo) * uniform());
}

int Random::integer(int lo, int hi) {
    const auto range = static_cast<std::uint64_t>(static_cast<std::int64_t>(hi) - lo + 1);
    // Multiply-shift maps 2^32 outputs onto the range; the bias is below 2^-32 x range.
    return static_cast<int>(lo + static_cast<std::int64_t>((range * next()) >> 32));
}

}  // namespace krnz::eventgen
