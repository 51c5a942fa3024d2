#include "number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

struct GCase {
  double value;
  const char* text;
};

// "%.13g" as the Windows C runtime prints it, whatever library this build has.
TEST(FormatG, ThirteenDigitForm) {
  const GCase cases[] = {
      {59.0, "59"},
      {0.0, "0"},
      {-0.0, "-0"},
      {-1.0, "-1"},
      {0.5, "0.5"},
      {3600.0, "3600"},
      {-123456.75, "-123456.75"},
      {1.0 / 3.0, "0.3333333333333"},
      {2.0 / 3.0, "0.6666666666667"},
      {2147483648.0, "2147483648"},
      {-2147483648.0, "-2147483648"},
      {4294967295.0, "4294967295"},
      // upper boundary of the plain form
      {9999999999999.0, "9999999999999"},
      {1234567890123.4, "1234567890123"},
      {9999999999999.5, "1e+013"},  // rounds up to 14 digits: exponent form
      {1e13, "1e+013"},
      {-1e13, "-1e+013"},
      {12345678901234.0, "1.234567890123e+013"},
      // lower boundary of the plain form
      {0.0001, "0.0001"},
      {0.00012345, "0.00012345"},
      {0.000099999999999999, "0.0001"},  // rounds up into the plain form
      {0.00009999999, "9.999999e-005"},
      {1e-5, "1e-005"},
      {1.5e-5, "1.5e-005"},
      {-2.5e-7, "-2.5e-007"},
      // three-digit exponents stay three digits
      {1e100, "1e+100"},
      {1.7976931348623157e308, "1.797693134862e+308"},
      {5e-324, "4.940656458412e-324"},
  };
  for (const GCase& c : cases) EXPECT_EQ(rt::format_g(c.value, 13), c.text) << c.value;
}

TEST(FormatG, NotANumberAndInfinity) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(rt::format_g(inf, 13), "1.#INF");
  EXPECT_EQ(rt::format_g(-inf, 13), "-1.#INF");
  EXPECT_EQ(rt::format_g(std::numeric_limits<double>::quiet_NaN(), 13), "1.#QNAN");
  EXPECT_EQ(rt::format_g(-std::numeric_limits<double>::quiet_NaN(), 13), "-1.#IND");
}

TEST(FormatG, SixDigitFormOfFloats) {
  EXPECT_EQ(rt::format_g(static_cast<double>(0.1f), 6), "0.1");
  EXPECT_EQ(rt::format_g(1234567.0, 6), "1.23457e+006");
  EXPECT_EQ(rt::format_g(123456.0, 6), "123456");
  EXPECT_EQ(rt::format_g(16777216.0, 6), "1.67772e+007");
  EXPECT_EQ(rt::format_g(-0.000125, 6), "-0.000125");
}

TEST(FormatInt, FullRange) {
  EXPECT_EQ(rt::format_int(0), "0");
  EXPECT_EQ(rt::format_int(-7), "-7");
  EXPECT_EQ(rt::format_int(INT32_MIN), "-2147483648");
  EXPECT_EQ(rt::format_int(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(rt::format_int(INT64_MAX), "9223372036854775807");
  EXPECT_EQ(rt::format_uint(UINT64_MAX), "18446744073709551615");
}

}  // namespace
