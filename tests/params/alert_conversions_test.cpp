#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "params/alert_conversions.h"

namespace {

TEST(AlertConversions, AFahrenheitEntryIsKeptToTheNearestTwentiethOfADegree) {
    const std::pair<double, double> cases[] = {
        {77, 25.00001},   {33, 0.55001},   {0, -17.80001}, {32, -0.00001},   {50.1, 10.05001},
        {50.2, 10.10001}, {36.0, 2.20001}, {35.7, 2.05001}, {33.3, 0.70001}, {33.4, 0.80001},
        {31.9, -0.05001}, {185, 85.00001}, {-40, -40.00001},
    };
    for (const auto& [fahrenheit, celsius] : cases) {
        EXPECT_NEAR(CelsiusFromFahrenheitEntry(fahrenheit), celsius, 1e-9) << fahrenheit;
    }
}

TEST(AlertConversions, RecordNumbersTruncateButKeepWholeProducts) {
    const std::pair<double, int64_t> cases[] = {
        {100.5001, 100},                 // 50.1 °F in tenths of a degree Celsius
        {101.0001, 101},                 // 50.2 °F
        {2831.6846592, 2831},            // 100 CFM in thousandths of m³/min
        {10760.001, 10760},              // 100 Fc in tenths of a lux
        {-0.0001, 0},                    // 32 °F
        {-166.5001, -166},
        {(1.0 / 1000 + 1) * 1000, 1001},  // 1.001 m/s as typed, one bit short of 1001
        {4294967295.0, 4294967295},      // the largest 4-byte field
    };
    for (const auto& [scaled, number] : cases) EXPECT_EQ(RecordNumber(scaled), number) << scaled;
    EXPECT_EQ(RecordNumber(std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(RecordNumber(std::nan("")), 0);
}

}  // namespace
