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

double pascalPerUnit(int unit) {
    switch (unit) {
        case 7:
            return 1000.0;  // kPa
        case 8:
            return 1000000.0;  // MPa
        case kUnitPsi:
            return 6894.757;
        default:
            return 1.0;
    }
}

void setDerivedUnits(ChannelRecord& channel) {
    // A unit without a derived unit of its own dimension gets "undef" rather than a guess.
    channel.integUnit = kUnitUndef, channel.integScale = 1.0;
    channel.diffUnit = kUnitUndef, channel.diffScale = 1.0;
    switch (channel.unit) {
        case kUnitMmPerS:
            channel.integUnit = kUnitMicrometre, channel.integScale = 1000.0;
            break;
        case 4:  // m/s2
            channel.integUnit = kUnitMmPerS, channel.integScale = 1000.0;
            break;
        case kUnitPa:
        case 7:  // kPa
        case 8:  // MPa
        case kUnitPsi:
            channel.integUnit = kUnitPas, channel.integScale = pascalPerUnit(channel.unit);
            break;
        case kUnitPaPerS:
            channel.integUnit = kUnitPa, channel.integScale = 1.0;
            break;
        case kUnitIps:
            channel.integUnit = kUnitInch, channel.integScale = 1.0;
            break;
        case 5:  // g
            channel.integUnit = kUnitIps, channel.integScale = kInPerS2PerG;
            break;
        default:
            break;
    }
    switch (channel.unit) {
        case kUnitMicrometre:
            channel.diffUnit = kUnitMmPerS, channel.diffScale = 1.0 / 1000.0;
            break;
        case 1:  // mm
            channel.diffUnit = kUnitMmPerS, channel.diffScale = 1.0;
            break;
        case kUnitMmPerS:
            channel.diffUnit = 4, channel.diffScale = 1.0 / 1000.0;  // m/s2
            break;
        case kUnitPa:
        case 7:  // kPa
        case 8:  // MPa
        case kUnitPsi:
            channel.diffUnit = kUnitPaPerS, channel.diffScale = pascalPerUnit(channel.unit);
            break;
        case kUnitPas:
            channel.diffUnit = kUnitPa, channel.diffScale = 1.0;
            break;
        case kUnitInch:
            channel.diffUnit = kUnitIps, channel.diffScale = 1.0;
            break;
        case kUnitIps:
            channel.diffUnit = 5, channel.diffScale = 1.0 / kInPerS2PerG;  // g
            break;
        default:
            break;
    }
}

}  // namespace krnz
