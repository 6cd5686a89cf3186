// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace krnz {

struct ChannelRecord;

inline constexpr int kUnitCount = 20;
inline constexpr std::uint8_t kUnitMicrometre = 0;
inline constexpr std::uint8_t kUnitMmPerS = 2;
inline constexpr std::uint8_t kUnitIps = 3;
inline constexpr std::uint8_t kUnitPa = 6;
inline constexpr std::uint8_t kUnitPsi = 9;
inline constexpr std::uint8_t kUnitPas = 16;
inline constexpr std::uint8_t kUnitPaPerS = 17;
inline constexpr std::uint8_t kUnitInch = 18;
inline constexpr std::uint8_t kUnitUndef = 19;

inline constexpr double kInchesPerMm = 0.03937;
inline constexpr double kPsiPerPa = 0.00014502;
inline constexpr double kInPerS2PerG = 386.09;

// Name of a unit code ("µm" .. "undef", UTF-8); codes outside 0..19 throw a subscript error.
const std::string& unitName(int unit);

// Name of a sensor kind ("Off", "Geo", "CCS", "GeoDC", "AC"); outside 0..4 a subscript error.
const std::string& sensorKindName(int sensorKind);

inline bool isVelocityUnit(int unit) {
    return unit == 2 || unit == 3;
}
inline bool isPressureUnit(int unit) {
    return unit >= 6 && unit <= 9;
}

// Pascal in one unit of a pressure code (kPa, MPa, psi); 1 for Pa and every other code.
double pascalPerUnit(int unit);

// Sets diffUnit/diffScale and integUnit/integScale from the channel's unit. Pressures derive
// into Pas and Pa/s whatever their own unit; units with nothing of the right dimension to derive
// into get "undef" with scale 1.
void setDerivedUnits(ChannelRecord& channel);

}  // namespace krnz
