#pragma once

#include <cstdint>

// A Fahrenheit entry as the Celsius value the logger keeps: (f - 32) / 1.8
// rounded to a multiple of 0.05 (down below .025, to .05 up to .075, else
// up), then moved 0.00001 away from zero so that scaling it to tenths never
// falls just short. Zero counts as negative: 32 °F gives -0.00001.
double CelsiusFromFahrenheitEntry(double fahrenheit);

// A value already scaled to the record's unit (tenths, thousandths), as the
// whole number the record carries: truncated toward zero. A product that
// misses a whole number only by the rounding of binary fractions (20.3 × 10
// gives 202.99999999999997) is that whole number, so a typed value is
// written as typed. Payloads keep the low bytes, so values up to 2^32 - 1
// reach a 4-byte field intact; non-finite values give 0.
int64_t RecordNumber(double scaled);
