// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/scale_table.h"

#include "core/settings/ini_values.h"

namespace krnz::settings {

const std::array<double, kScaleTableSize>& scaleTable() {
    static const std::array<double, kScaleTableSize> table = {
        0.1,    0.125,  0.2,    0.25,   0.4,   0.5,   0.8,    //
        1,      1.25,   2,      2.5,    4,     5,     8,      //
        10,     12.5,   20,     25,     40,    50,    80,     //
        100,    125,    200,    250,    400,   500,   800,    //
        1000,   1250,   2000,   2500,   4000,  5000,  8000,   //
        10000,  12500,  20000,  25000,  40000, 50000, 80000,  //
        10000,  12500,  20000,  25000,  40000, 50000, 80000,  //
        100000, 125000, 200000, 250000,
    };
    return table;
}

std::string scaleTableText(std::size_t position) {
    return iniText(scaleTable().at(position));
}

std::size_t scalePositionOf(double value) {
    const auto& table = scaleTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i] == value) {
            return i;
        }
    }
    return 0;
}

}  // namespace krnz::settings
