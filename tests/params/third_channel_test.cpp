#include <gtest/gtest.h>

#include <vector>

#include "params/device_parameter_block.h"
#include "params/parameter_codes.h"
#include "params/third_channel.h"

namespace {

struct TypeCase {
    uint8_t type;
    std::vector<std::u16string_view> unitNames;
    uint32_t rawPerBase;
    std::vector<uint8_t> codes;  // high, low, then the two reserved
};

TEST(ThirdChannel, TypesWithTheirUnitsRawUnitsAndRecordCodes) {
    const TypeCase cases[] = {
        {CH3_ILLUMINANCE, {u"Lux", u"Fc"}, 10, {102, 103, 104, 105}},
        {CH3_NOISE, {u"dB(A)", u"dB(C)"}, 10, {112, 113, 114, 115}},
        {CH3_WIND_SPEED, {u"m/s", u"km/h", u"ft/min", u"knot", u"MPH", u"CMM", u"CFM"}, 1000,
         {116, 117, 118, 119}},
    };
    for (const TypeCase& c : cases) {
        const Ch3TypeInfo* info = FindCh3Type(c.type);
        ASSERT_NE(info, nullptr);
        std::vector<std::u16string_view> names;
        for (const Ch3UnitEntry& u : info->units) names.push_back(u.name);
        EXPECT_EQ(names, c.unitNames);
        EXPECT_EQ(info->rawPerBase, c.rawPerBase);
        EXPECT_EQ((std::vector<uint8_t>{info->highCode, info->lowCode, info->reservedCodes[0],
                                        info->reservedCodes[1]}),
                  c.codes);
    }
    EXPECT_EQ(FindCh3Type(3), nullptr);
    EXPECT_EQ(FindCh3Type(0xFF), nullptr);
}

TEST(ThirdChannel, UnitIndexOutsideTheListHasNoUnit) {
    EXPECT_EQ(Ch3UnitAt(CH3_ILLUMINANCE, 1), Ch3Unit::Fc);
    EXPECT_EQ(Ch3UnitAt(CH3_ILLUMINANCE, 2), std::nullopt);
    EXPECT_EQ(Ch3UnitAt(CH3_WIND_SPEED, 6), Ch3Unit::Cfm);
    EXPECT_EQ(Ch3UnitAt(CH3_WIND_SPEED, 7), std::nullopt);
    EXPECT_EQ(Ch3UnitAt(3, 0), std::nullopt);
}

struct ConversionCase {
    Ch3Unit unit;
    double base;  // lux, dB, m/s
    uint32_t ductArea;
    double shown;
};

constexpr double CUBIC_FOOT = 0.028316846592;  // m³

TEST(ThirdChannel, BaseUnitToShownUnit) {
    const ConversionCase cases[] = {
        {Ch3Unit::Lux, 123.4, 0, 123.4},
        {Ch3Unit::Fc, 107.6, 0, 10.0001},
        {Ch3Unit::DbA, 55.5, 0, 55.5},
        {Ch3Unit::DbC, 55.5, 0, 55.5},
        {Ch3Unit::MetresPerSecond, 2.5, 0, 2.5},
        {Ch3Unit::KmPerHour, 10, 0, 36},
        {Ch3Unit::FeetPerMinute, 1.524, 0, 300},
        {Ch3Unit::Knot, 1852, 0, 3600},
        {Ch3Unit::Mph, 1609.344, 0, 3600},
        {Ch3Unit::Cmm, 1, 50, 30},               // 1 m/s through 0.5 m²
        {Ch3Unit::Cfm, 1, 50, 30 / CUBIC_FOOT},
        {Ch3Unit::Cmm, 1, 0, 0},
    };
    for (const ConversionCase& c : cases) {
        EXPECT_NEAR(BaseToShown(c.unit, c.base, c.ductArea), c.shown, 1e-9 * std::abs(c.shown) + 1e-12)
            << static_cast<int>(c.unit);
    }
}

TEST(ThirdChannel, EnteredUnitToStoredUnit) {
    const ConversionCase cases[] = {
        {Ch3Unit::Lux, 123.4, 0, 123.4},
        {Ch3Unit::Fc, 10, 0, 107.6001},
        {Ch3Unit::DbC, 55.5, 0, 55.5},
        {Ch3Unit::MetresPerSecond, 2.5, 0, 2.5},
        {Ch3Unit::KmPerHour, 36, 0, 10},
        {Ch3Unit::FeetPerMinute, 300, 0, 1.524},
        {Ch3Unit::Knot, 3600, 0, 1852},
        {Ch3Unit::Mph, 3600, 0, 1609.344},
        {Ch3Unit::Cmm, 2.5, 0, 2.5},  // cubic metres per minute, as entered
        {Ch3Unit::Cfm, 1000, 0, 1000 * CUBIC_FOOT},
    };
    for (const ConversionCase& c : cases) {
        EXPECT_NEAR(EnteredToStored(c.unit, c.base), c.shown, 1e-9 * std::abs(c.shown))
            << static_cast<int>(c.unit);
    }
}

TEST(ThirdChannel, WindDeviceInCmmCarriesAirFlow) {
    std::vector<uint8_t> bytes(PARAMETER_BLOCK_SIZE, 0);
    bytes[30] = CH3_WIND_SPEED;
    bytes[32] = 0x05;  // settingsWord bits 8-11: unit 5
    bytes[90] = 0xC4;  // ch3High 2500
    bytes[91] = 0x09;
    bytes[39] = 50;    // ductArea 0.5 m²
    DeviceParameterBlock b = DeviceParameterBlock::FromBytes(bytes);
    std::optional<Ch3Unit> unit = Ch3UnitAt(b.ch3Type, b.Ch3UnitIndex());
    ASSERT_EQ(unit, Ch3Unit::Cmm);
    EXPECT_TRUE(IsAirFlow(*unit));
    const double flow = double(b.ch3High) / FindCh3Type(b.ch3Type)->rawPerBase;
    EXPECT_DOUBLE_EQ(flow, 2.5);  // m³/min
    EXPECT_NEAR(FlowToSpeed(flow, b.ductArea).value(), 2.5 / 30, 1e-12);
    EXPECT_NEAR(FlowToSpeed(3.0, 50).value(), 0.1, 1e-12);
    EXPECT_EQ(FlowToSpeed(3.0, 0), std::nullopt);
    EXPECT_FALSE(IsAirFlow(Ch3Unit::MetresPerSecond));
}

}  // namespace
