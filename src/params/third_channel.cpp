#include "params/third_channel.h"

#include "params/parameter_codes.h"

namespace {

constexpr double LUX_PER_FOOT_CANDLE = 10.76;
constexpr double METRES_PER_FOOT = 0.3048;
constexpr double METRES_PER_NAUTICAL_MILE = 1852;
constexpr double METRES_PER_MILE = 1609.344;

constexpr std::array ILLUMINANCE_UNITS = {
    Ch3UnitEntry{Ch3Unit::Lux, u"Lux"},
    Ch3UnitEntry{Ch3Unit::Fc, u"Fc"},
};
constexpr std::array NOISE_UNITS = {
    Ch3UnitEntry{Ch3Unit::DbA, u"dB(A)"},
    Ch3UnitEntry{Ch3Unit::DbC, u"dB(C)"},
};
constexpr std::array WIND_SPEED_UNITS = {
    Ch3UnitEntry{Ch3Unit::MetresPerSecond, u"m/s"}, Ch3UnitEntry{Ch3Unit::KmPerHour, u"km/h"},
    Ch3UnitEntry{Ch3Unit::FeetPerMinute, u"ft/min"}, Ch3UnitEntry{Ch3Unit::Knot, u"knot"},
    Ch3UnitEntry{Ch3Unit::Mph, u"MPH"},              Ch3UnitEntry{Ch3Unit::Cmm, u"CMM"},
    Ch3UnitEntry{Ch3Unit::Cfm, u"CFM"},
};

constexpr std::array CH3_TYPES = {
    Ch3TypeInfo{CH3_ILLUMINANCE, ILLUMINANCE_UNITS, 10, PARAM_ILLUM_HIGH, PARAM_ILLUM_LOW,
                {PARAM_RESERVED_68, PARAM_RESERVED_69}},
    Ch3TypeInfo{CH3_NOISE, NOISE_UNITS, 10, PARAM_NOISE_HIGH, PARAM_NOISE_LOW,
                {PARAM_RESERVED_72, PARAM_RESERVED_73}},
    Ch3TypeInfo{CH3_WIND_SPEED, WIND_SPEED_UNITS, 1000, PARAM_WIND_HIGH, PARAM_WIND_LOW,
                {PARAM_RESERVED_76, PARAM_RESERVED_77}},
};

}  // namespace

const Ch3TypeInfo* FindCh3Type(uint8_t ch3Type) {
    for (const Ch3TypeInfo& info : CH3_TYPES) {
        if (info.type == ch3Type) return &info;
    }
    return nullptr;
}

std::optional<Ch3Unit> Ch3UnitAt(uint8_t ch3Type, unsigned index) {
    const Ch3TypeInfo* info = FindCh3Type(ch3Type);
    if (info == nullptr || index >= info->units.size()) return std::nullopt;
    return info->units[index].unit;
}

bool IsAirFlow(Ch3Unit unit) { return unit == Ch3Unit::Cmm || unit == Ch3Unit::Cfm; }

// The factors below are the logger family's own, kept in their written order:
// a reordered product can differ in the last bit and show another rounding.
double BaseToShown(Ch3Unit unit, double base, uint32_t ductArea) {
    switch (unit) {
        case Ch3Unit::Fc: return base / LUX_PER_FOOT_CANDLE + 0.0001;
        case Ch3Unit::KmPerHour: return base * 3600 / 1000;
        case Ch3Unit::FeetPerMinute: return base * 60 / METRES_PER_FOOT;
        case Ch3Unit::Knot: return base * 3600 / METRES_PER_NAUTICAL_MILE;
        case Ch3Unit::Mph: return base * 3600 / METRES_PER_MILE;
        case Ch3Unit::Cmm: return base * 60 * ductArea / 100;
        case Ch3Unit::Cfm:
            return base * 60 * ductArea /
                   (METRES_PER_FOOT * METRES_PER_FOOT * METRES_PER_FOOT * 100);
        case Ch3Unit::Lux:
        case Ch3Unit::DbA:
        case Ch3Unit::DbC:
        case Ch3Unit::MetresPerSecond: return base;
    }
    return base;
}

double EnteredToStored(Ch3Unit unit, double entered) {
    switch (unit) {
        case Ch3Unit::Fc: return entered * LUX_PER_FOOT_CANDLE + 0.0001;
        case Ch3Unit::KmPerHour: return entered * 1000 / 3600;
        case Ch3Unit::FeetPerMinute: return entered * METRES_PER_FOOT / 60;
        case Ch3Unit::Knot: return entered * METRES_PER_NAUTICAL_MILE / 3600;
        case Ch3Unit::Mph: return entered * METRES_PER_MILE / 3600;
        case Ch3Unit::Cfm: return entered * METRES_PER_FOOT * METRES_PER_FOOT * METRES_PER_FOOT;
        case Ch3Unit::Cmm:
        case Ch3Unit::Lux:
        case Ch3Unit::DbA:
        case Ch3Unit::DbC:
        case Ch3Unit::MetresPerSecond: return entered;
    }
    return entered;
}

std::optional<double> FlowToSpeed(double cubicMetresPerMinute, uint32_t ductArea) {
    if (ductArea == 0) return std::nullopt;
    return cubicMetresPerMinute * 100 / (60.0 * ductArea);
}
