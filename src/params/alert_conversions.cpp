#include "params/alert_conversions.h"

#include <cmath>

namespace {
// Far above the error of a parse and one multiplication (a few units in the
// last place), far below any step a user can type.
constexpr double WHOLE_NUMBER_TOLERANCE = 1e-9;
constexpr double RECORD_NUMBER_LIMIT = 9.0e18;  // inside int64_t
}  // namespace

double CelsiusFromFahrenheitEntry(double fahrenheit) {
    const double celsius = (fahrenheit - 32) / 1.8;
    const double sign = celsius > 0 ? 1.0 : -1.0;
    const auto thousandths = static_cast<int64_t>(std::fabs(celsius) * 1000);
    const int64_t hundreds = thousandths / 100;
    const int64_t rest = thousandths - 100 * hundreds;
    const int64_t add = rest <= 24 ? 0 : rest <= 75 ? 50 : 100;
    return sign * (static_cast<double>(100 * hundreds + add) / 1000 + 0.00001);
}

int64_t RecordNumber(double scaled) {
    if (!std::isfinite(scaled)) return 0;
    if (scaled > RECORD_NUMBER_LIMIT) scaled = RECORD_NUMBER_LIMIT;
    if (scaled < -RECORD_NUMBER_LIMIT) scaled = -RECORD_NUMBER_LIMIT;
    const double nearest = std::round(scaled);
    if (std::fabs(scaled - nearest) <= WHOLE_NUMBER_TOLERANCE * std::fmax(1.0, std::fabs(nearest))) {
        return static_cast<int64_t>(nearest);
    }
    return static_cast<int64_t>(std::trunc(scaled));
}
