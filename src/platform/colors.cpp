// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/colors.h"

namespace krnz::platform {

QColor toQColor(std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}

std::int32_t fromQColor(const QColor& color) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(color.red()) |
                                     static_cast<std::uint32_t>(color.green()) << 8 |
                                     static_cast<std::uint32_t>(color.blue()) << 16);
}

}  // namespace krnz::platform
