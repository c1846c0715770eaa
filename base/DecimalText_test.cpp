// Decimal text against the C library's printf, which rounds the exact binary value.
#include "base/DecimalText.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace base {

namespace {

std::string Printed(const char* format, double value) {
    char text[400];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Every precision the program uses, against printf.
void ExpectAsPrintf(double value) {
    EXPECT_EQ(FixedDecimalText<0>(value), Printed("%.0f", value)) << value;
    EXPECT_EQ(FixedDecimalText<1>(value), Printed("%.1f", value)) << value;
    EXPECT_EQ(FixedDecimalText<2>(value), Printed("%.2f", value)) << value;
    EXPECT_EQ(FixedDecimalText<3>(value), Printed("%.3f", value)) << value;
}

}  // namespace

TEST(DecimalText, TiesGoToTheEvenDigitOnTheExactBinaryValue) {
    EXPECT_EQ(FixedDecimalText<0>(0.5), "0");
    EXPECT_EQ(FixedDecimalText<0>(1.5), "2");
    EXPECT_EQ(FixedDecimalText<0>(2.5), "2");
    EXPECT_EQ(FixedDecimalText<3>(0.0625), "0.062");
    EXPECT_EQ(FixedDecimalText<3>(0.1875), "0.188");
    // 1.0005 is stored a little below itself, 2.675 a little below, 0.0015 a little above.
    EXPECT_EQ(FixedDecimalText<3>(1.0005), "1.000");
    EXPECT_EQ(FixedDecimalText<2>(2.675), "2.67");
    EXPECT_EQ(FixedDecimalText<3>(0.0015), "0.002");
    for (const double value :
         {0.5, 1.5, 2.5, 0.0625, 0.1875, 1.0005, 2.675, 0.0015, 999.5, 1000.5}) {
        ExpectAsPrintf(value);
    }
}

TEST(DecimalText, SignsExtremesAndSpecialValues) {
    EXPECT_EQ(FixedDecimalText<0>(-0.0), "-0");
    EXPECT_EQ(FixedDecimalText<3>(-0.0004), "-0.000");
    EXPECT_EQ(FixedDecimalText<3>(0.0), "0.000");
    EXPECT_EQ(FixedDecimalText<0>(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(FixedDecimalText<3>(-std::numeric_limits<double>::infinity()), "-inf");
    EXPECT_EQ(FixedDecimalText<3>(std::numeric_limits<double>::quiet_NaN()), "nan");
    for (const double value :
         {0.0, -0.0, -0.4, -1.5, 5e-324, -5e-324, DBL_MIN, 1e-300, 0.9995, 0.99949999999999994,
          9007199254740993.0, 1e22, 1e300, DBL_MAX, -DBL_MAX, 123456789.0125}) {
        ExpectAsPrintf(value);
    }
}

TEST(DecimalText, ManyValuesOfEveryMagnitudeReadAsPrintfWritesThem) {
    // Multiples of 1/8192 hit many exact ties at three decimals.
    for (int k = 0; k < 20000; ++k) {
        ExpectAsPrintf(k / 8192.0);
    }
    // Bit patterns from a fixed generator: 20,000 of the magnitudes figures take (2^-60 to
    // 2^60), and 500 of every exponent, subnormals included (those are slow to write out).
    std::uint64_t state = 0x2545F4914F6CDD1Dull;
    for (int checked = 0; checked < 20500 && !HasFailure();) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        std::uint64_t bits = state;
        if (checked < 20000) {
            const std::uint64_t exponent = 1023 - 60 + (state >> 52) % 121;
            bits = (state & 0x800FFFFFFFFFFFFFull) | (exponent << 52);
        }
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isnan(value)) {
            ExpectAsPrintf(value);
            ++checked;
        }
    }
}

TEST(DecimalText, ZeroPaddedAsPrintfPadsUnsignedNumbers) {
    EXPECT_EQ(ZeroPaddedText(7, 4), "0007");
    EXPECT_EQ(ZeroPaddedText(2026, 4), "2026");
    EXPECT_EQ(ZeroPaddedText(0, 2), "00");
    EXPECT_EQ(ZeroPaddedText(123, 2), "123");
    EXPECT_EQ(ZeroPaddedText(4294967295u, 2), "4294967295");
}

}  // namespace base
