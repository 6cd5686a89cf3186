// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/event/units.h"

#include <array>

#include "core/common/error.h"
#include "core/event/event.h"

namespace krnz {
namespace {

const std::array<std::string, kUnitCount> kUnitNames = {
    "\xC2\xB5m", "mm", "mm/s", "ips", "m/s2", "g",  "Pa",  "kPa",  "MPa", "psi",
    "dBA",       "N",  "kN",   "mV",  "Volt", "EU", "Pas", "Pa/s", "in",  "undef"};

const std::array<std::string, 5> kSensorKindNames = {"Off", "Geo", "CCS", "GeoDC", "AC"};

}  // namespace

const std::string& unitName(int unit) {
    if (unit < 0 || unit >= kUnitCount) throwSubscript();
    return kUnitNames[static_cast<std::size_t>(unit)];
}

const std::string& sensorKindName(int sensorKind) {
    if (sensorKind < 0 || sensorKind >= static_cast<int>(kSensorKindNames.size())) throwSubscript();
    return kSensorKindNames[static_cast<std::size_t>(sensorKind)];
}

void setDerivedUnits(ChannelRecord& channel) {
    switch (channel.unit) {
        case 4:  // m/s2
            channel.integUnit = kUnitMmPerS, channel.integScale = 1000.0;
            break;
        case kUnitPa:
            channel.integUnit = 16, channel.integScale = 1.0;  // Pas
            break;
        case kUnitIps:
            channel.integUnit = 18, channel.integScale = 1.0;  // in
            break;
        case 5:  // g
            channel.integUnit = kUnitIps, channel.integScale = kInPerS2PerG;
            break;
        default:
            channel.integUnit = kUnitMicrometre, channel.integScale = 1000.0;
            break;
    }
    switch (channel.unit) {
        case kUnitMicrometre:
            channel.diffUnit = kUnitMmPerS, channel.diffScale = 1.0 / 1000.0;
            break;
        case kUnitPa:
            channel.diffUnit = 17, channel.diffScale = 1.0;  // Pa/s
            break;
        case 18:  // in
            channel.diffUnit = kUnitIps, channel.diffScale = 1.0;
            break;
        case kUnitIps:
            channel.diffUnit = 5, channel.diffScale = 1.0 / kInPerS2PerG;  // g
            break;
        default:
            channel.diffUnit = 4, channel.diffScale = 1.0 / 1000.0;  // m/s2
            break;
    }
}

}  // namespace krnz
