// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <cstdint>

namespace krnz::platform {

// Stored colours are 24-bit RGB values with red in the low byte.
QColor toQColor(std::int32_t value);
std::int32_t fromQColor(const QColor& color);

}  // namespace krnz::platform
