// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>

namespace krnz::test {

// A test name made of any text: letters and digits kept, every other run of characters one
// underscore, "empty" for nothing. A minus sign before a number becomes "minus", so that -5 and
// 5 stay apart.
inline std::string nameOf(std::string_view text) {
    std::string name;
    bool gap = false;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const auto c = static_cast<unsigned char>(text[k]);
        const bool sign = c == '-' && k + 1 < text.size() &&
                          std::isdigit(static_cast<unsigned char>(text[k + 1])) &&
                          (k == 0 || !std::isalnum(static_cast<unsigned char>(text[k - 1])));
        if (std::isalnum(c) || sign) {
            if (gap && !name.empty()) name += '_';
            if (sign) {
                name += "minus";
            } else {
                name += static_cast<char>(c);
            }
            gap = false;
        } else {
            gap = true;
        }
    }
    return name.empty() ? "empty" : name;
}

// nameOf the text after the parameter's number, for tables whose rows may read alike.
inline std::string numberedName(std::size_t index, std::string_view text) {
    return std::to_string(index) + "_" + nameOf(text);
}

// A number as a name part: as short as it prints ("20", "0.5"), not to_string's six decimals.
inline std::string numberText(double value) {
    return ::testing::PrintToString(value);
}

// Names a parameter by its printed form (PrintTo or operator<< of the parameter type),
// numbered in front so that values printing alike stay apart.
struct NumberedName {
    template <class Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& info) const {
        return numberedName(info.index, ::testing::PrintToString(info.param));
    }
};

// Names a parameter by its printed form alone, for parameters that print uniquely.
struct PrintedName {
    template <class Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& info) const {
        return nameOf(::testing::PrintToString(info.param));
    }
};

}  // namespace krnz::test
