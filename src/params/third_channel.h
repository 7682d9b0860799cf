#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// What the third channel measures, by the block's ch3Type.
constexpr uint8_t CH3_ILLUMINANCE = 0;
constexpr uint8_t CH3_NOISE = 1;
constexpr uint8_t CH3_WIND_SPEED = 2;

enum class Ch3Unit { Lux, Fc, DbA, DbC, MetresPerSecond, KmPerHour, FeetPerMinute, Knot, Mph, Cmm, Cfm };

struct Ch3UnitEntry {
    Ch3Unit unit;
    std::u16string_view name;  // as the unit list shows it
};

struct Ch3TypeInfo {
    uint8_t type;
    // The unit list; SET_CH3_UNIT and PARAM_CH3_UNIT hold a position in it.
    std::span<const Ch3UnitEntry> units;
    // Raw units (block and records) per base unit: lux, decibel, metre per
    // second, or cubic metre per minute when an air-flow unit is selected.
    uint32_t rawPerBase;
    uint8_t highCode;
    uint8_t lowCode;
    std::array<uint8_t, 2> reservedCodes;  // sent with zero payloads alongside
};

// nullptr for a type outside the table.
const Ch3TypeInfo* FindCh3Type(uint8_t ch3Type);

// The unit at `index` of the type's list; none outside the list or the table.
std::optional<Ch3Unit> Ch3UnitAt(uint8_t ch3Type, unsigned index);

// CMM and CFM: the block and the records carry an air flow, not a speed.
bool IsAirFlow(Ch3Unit unit);

// A value kept in the base unit (lux, decibel, metre per second) as shown in
// `unit`; the air-flow units need the duct's cross-section (0.01 m²).
double BaseToShown(Ch3Unit unit, double base, uint32_t ductArea);

// An entered value in `unit` as stored: in the base unit, except that the
// air-flow units store cubic metres per minute.
double EnteredToStored(Ch3Unit unit, double entered);

// A loaded air flow (m³/min) as the speed (m/s) that is kept; none for a duct
// of no area, where the division would give infinity or NaN.
std::optional<double> FlowToSpeed(double cubicMetresPerMinute, uint32_t ductArea);
