// Conversions as the program logic reaches them: through the service table.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "convert.h"
#include "halfwidth.h"
#include "heap.h"
#include "service.h"

namespace {

using namespace rt;

class Conversions : public ::testing::Test {
 protected:
  void SetUp() override {
    provide_value_services();
    live_ = live_blocks();
  }
  // Every conversion gives back what it took.
  void TearDown() override { EXPECT_EQ(live_blocks(), live_); }

  static std::string text_of(const Arg& a) {
    Text t = result_text(call(Service::ToText, {a}));
    EXPECT_TRUE(t.get() == nullptr || *t.get() != '\0') << "an empty result must be null";
    return t.c_str();
  }
  static bool text_is_null(const Arg& a) { return result_text(call(Service::ToText, {a})).get() == nullptr; }
  static int32_t int_of(const Arg& a) { return result_int(call(Service::ToInteger, {a})); }
  static int32_t int_of_text(const char* s) { return int_of(arg_text(s)); }

  long live_ = 0;
};

// A byte block in the layout the runtime uses: count, length, bytes.
struct TestBlock {
  uint32_t dimensions = 1;
  uint32_t length;
  char bytes[8];
};

TEST_F(Conversions, TextOfIntegers) {
  EXPECT_EQ(text_of(arg_int(0)), "0");
  EXPECT_EQ(text_of(arg_int(-5)), "-5");
  EXPECT_EQ(text_of(arg_int(INT32_MIN)), "-2147483648");
  EXPECT_EQ(text_of(arg_short(-1)), "-1");
  EXPECT_EQ(text_of(Arg{0x1FF, 0, kTagByte}), "255");  // only the low byte counts
  EXPECT_EQ(text_of(arg_long(-1)), "-1");
  EXPECT_EQ(text_of(arg_long(INT64_C(1) << 40)), "1099511627776");
}

TEST_F(Conversions, TextOfDoublesAndFloats) {
  EXPECT_EQ(text_of(arg_double(59.0)), "59");
  EXPECT_EQ(text_of(arg_double(0.0)), "0");
  EXPECT_EQ(text_of(arg_double(-1.0)), "-1");
  EXPECT_EQ(text_of(arg_double(-0.0)), "-0");
  EXPECT_EQ(text_of(arg_double(1e13)), "1e+013");
  EXPECT_EQ(text_of(arg_float(0.25f)), "0.25");
  EXPECT_EQ(text_of(arg_float(1234567.0f)), "1.23457e+006");
}

TEST_F(Conversions, TextOfBooleans) {
  EXPECT_EQ(text_of(arg_bool(true)), "真");
  EXPECT_EQ(text_of(arg_bool(false)), "假");
  EXPECT_EQ(text_of(Arg{7, 0, kTagBool}), "真");
}

TEST_F(Conversions, TextOfTextsIsACopyAndEmptyIsNull) {
  char source[] = "定时器";
  Text copy = result_text(call(Service::ToText, {arg_text(source)}));
  ASSERT_NE(copy.get(), nullptr);
  EXPECT_NE(copy.get(), source);
  EXPECT_STREQ(copy.get(), "定时器");
  EXPECT_TRUE(text_is_null(arg_text("")));
  EXPECT_TRUE(text_is_null(arg_text(nullptr)));
}

TEST_F(Conversions, TextOfBlocksStopsAtTheFirstZero) {
  TestBlock with_zero{1, 6, {'a', 'b', '\0', 'c', 'd', 'e'}};
  TestBlock without_zero{1, 3, {'x', 'y', 'z', '!', '!'}};
  TestBlock empty{1, 0, {}};
  EXPECT_EQ(text_of(arg_block(&with_zero)), "ab");
  EXPECT_EQ(text_of(arg_block(&without_zero)), "xyz");
  EXPECT_TRUE(text_is_null(arg_block(&empty)));
  EXPECT_TRUE(text_is_null(arg_block(nullptr)));
}

TEST_F(Conversions, OtherKindsGiveTheEmptyText) {
  EXPECT_TRUE(text_is_null(omitted()));
  EXPECT_TRUE(text_is_null(arg_unit(kTagWindowRef, 0x52010001, 0x06010000)));
  EXPECT_TRUE(text_is_null(Arg{1, 2, 0x12345678}));
}

TEST_F(Conversions, DateTimeTextComesFromTheInstalledFormatter) {
  EXPECT_TRUE(text_is_null(arg_datetime(41951.5)));
  set_datetime_formatter([](double v) { return Text::copy(v == 41951.5 ? "formatted" : "other"); });
  EXPECT_EQ(text_of(arg_datetime(41951.5)), "formatted");
  set_datetime_formatter(nullptr);
}

TEST_F(Conversions, IntegerOfTextsReadsLikeAtoi) {
  EXPECT_EQ(int_of_text("  42abc"), 42);
  EXPECT_EQ(int_of_text("-7"), -7);
  EXPECT_EQ(int_of_text("+5"), 5);
  EXPECT_EQ(int_of_text(""), 0);
  EXPECT_EQ(int_of(arg_text(nullptr)), 0);
  EXPECT_EQ(int_of_text("3.9"), 3);
  EXPECT_EQ(int_of_text("abc"), 0);
  EXPECT_EQ(int_of_text("-"), 0);
  EXPECT_EQ(int_of_text("- 5"), 0);
  EXPECT_EQ(int_of_text("--5"), 0);
  EXPECT_EQ(int_of_text(" \t\n\v\f\r9"), 9);
  EXPECT_EQ(int_of_text("0009"), 9);
}

TEST_F(Conversions, IntegerOfTextsWrapsIn32Bits) {
  EXPECT_EQ(int_of_text("2147483647"), 2147483647);
  EXPECT_EQ(int_of_text("2147483648"), INT32_MIN);
  EXPECT_EQ(int_of_text("-2147483648"), INT32_MIN);
  EXPECT_EQ(int_of_text("-2147483649"), 2147483647);
  EXPECT_EQ(int_of_text("4294967297"), 1);
  EXPECT_EQ(int_of_text("4294967296"), 0);
  EXPECT_EQ(int_of_text("99999999999"), static_cast<int32_t>(UINT32_C(99999999999 % 4294967296)));
}

TEST_F(Conversions, IntegerOfFullWidthTexts) {
  EXPECT_EQ(int_of_text("１２"), 12);          // full-width digits
  EXPECT_EQ(int_of_text("－３"), -3);          // full-width minus
  EXPECT_EQ(int_of_text("＋４"), 4);
  EXPECT_EQ(int_of_text("　４２"), 42);        // ideographic space is white space
  EXPECT_EQ(int_of_text("1２3"), 123);         // mixed
  EXPECT_EQ(int_of_text("12\xB0" "3"), 12);    // a two-byte character ends the digits
  EXPECT_EQ(int_of_text("\xB0" "12"), 0);      // its trail byte is not a digit
}

TEST_F(Conversions, IntegerOfNumbersTruncatesAndWraps) {
  EXPECT_EQ(int_of(arg_double(-2.7)), -2);
  EXPECT_EQ(int_of(arg_double(2.7)), 2);
  EXPECT_EQ(int_of(arg_double(-0.0)), 0);
  EXPECT_EQ(int_of(arg_double(2147483647.9)), 2147483647);
  EXPECT_EQ(int_of(arg_double(2147483648.0)), INT32_MIN);
  EXPECT_EQ(int_of(arg_double(3e9)), static_cast<int32_t>(UINT32_C(3000000000)));
  EXPECT_EQ(int_of(arg_double(-4294967297.5)), -1);
  EXPECT_EQ(int_of(arg_double(4294967296.0 * 4294967296.0 + 0.0)), 0);
  EXPECT_EQ(int_of(arg_double(std::numeric_limits<double>::quiet_NaN())), 0);
  EXPECT_EQ(int_of(arg_double(std::numeric_limits<double>::infinity())), 0);
  EXPECT_EQ(int_of(arg_float(-2.5f)), -2);
  EXPECT_EQ(int_of(Arg{0x18000, 0, kTagShort}), -32768);
  EXPECT_EQ(int_of(Arg{0x1FF, 0, kTagByte}), 255);
  EXPECT_EQ(int_of(arg_long(INT64_C(0x100000005))), 5);
  EXPECT_EQ(int_of(Arg{7, 0, kTagBool}), 7);
  EXPECT_EQ(int_of(arg_int(-9)), -9);
}

TEST_F(Conversions, IntegerOfOtherKindsIsZero) {
  EXPECT_EQ(int_of(arg_datetime(41951.5)), 0);
  EXPECT_EQ(int_of(omitted()), 0);
  EXPECT_EQ(int_of(arg_unit(kTagComboRef, 1, 2)), 0);
  TestBlock b{1, 2, {'4', '2'}};
  EXPECT_EQ(int_of(arg_block(&b)), 0);
}

TEST_F(Conversions, AbsoluteValue) {
  auto abs_of = [](const Arg& a) { return result_double(call(Service::Absolute, {a})); };
  EXPECT_EQ(abs_of(arg_double(-5.0)), 5.0);
  EXPECT_EQ(abs_of(arg_double(5.0)), 5.0);
  EXPECT_EQ(abs_of(arg_double(-2147483648.0)), 2147483648.0);
  const double negative_zero = abs_of(arg_double(-0.0));
  EXPECT_EQ(negative_zero, 0.0);
  EXPECT_TRUE(std::signbit(negative_zero)) << "-0.0 is returned unchanged";
  EXPECT_TRUE(std::isnan(abs_of(arg_double(std::nan("")))));
}

// ---- half-width normalisation ----------------------------------------

TEST(Halfwidth, EveryFullWidthFormBecomesAscii) {
  for (int trail = 0xA1; trail <= 0xFE; ++trail) {
    const char in[] = {'\xA3', static_cast<char>(trail), '\0'};
    EXPECT_EQ(halfwidth(in), std::string(1, static_cast<char>(trail & 0x7F))) << std::hex << trail;
  }
  EXPECT_EQ(halfwidth("\xA1\xA1"), " ");
  EXPECT_EQ(halfwidth("\xA1\xAB"), "~");
  EXPECT_EQ(halfwidth("\xA1\xEE\xA1\xEF"), "**");
}

TEST(Halfwidth, OtherCharactersAreKept) {
  EXPECT_EQ(halfwidth("2014年11月8日"), "2014年11月8日");
  EXPECT_EQ(halfwidth("\xA3\xA0"), "\xA3\xA0");  // just below the full-width range
  EXPECT_EQ(halfwidth("\xA3\xFF"), "\xA3\xFF");  // just above it
  EXPECT_EQ(halfwidth("\xA1\xAC"), "\xA1\xAC");
  EXPECT_EQ(halfwidth("\x80" "A"), "\x80" "A");  // 0x80 leads a pair too
  EXPECT_EQ(halfwidth(" a\tb "), " a\tb ");
}

TEST(Halfwidth, LoneLeadByteAtTheEndIsDropped) {
  EXPECT_EQ(halfwidth("12\xA3"), "12");
  EXPECT_EQ(halfwidth("\xB0"), "");
  EXPECT_EQ(halfwidth("１\xA3"), "1");
  EXPECT_EQ(halfwidth(""), "");
  EXPECT_EQ(halfwidth(nullptr), "");
}

// ---- the call itself --------------------------------------------------

TEST(ServiceCall, ResultIsZeroedAndArgumentsArriveInOrder) {
  static int seen_count;
  static Arg seen[4];
  ServiceOverride o(Service::AddItem, [](Result& r, int n, const Arg* args) {
    EXPECT_EQ(r.word[0], 0u);
    EXPECT_EQ(r.word[1], 0u);
    EXPECT_EQ(r.word[2], 0u);
    seen_count = n;
    for (int i = 0; i < n && i < 4; ++i) seen[i] = args[i];
  });
  const Result r = call(Service::AddItem, {arg_unit(kTagComboRef, 1, 2), arg_text("x"), omitted()});
  EXPECT_EQ(result_int(r), 0);
  ASSERT_EQ(seen_count, 3);
  EXPECT_EQ(seen[0].tag, uint32_t{kTagComboRef});
  EXPECT_EQ(seen[0].low, 1u);
  EXPECT_EQ(seen[0].high, 2u);
  EXPECT_STREQ(arg_as_text(seen[1]), "x");
  EXPECT_FALSE(present(seen[2]));
  EXPECT_EQ(seen[2].low | seen[2].high, 0u);
}

TEST(ServiceCall, OverrideIsUndoneAtScopeEnd) {
  provide_value_services();
  {
    ServiceOverride o(Service::ToInteger, [](Result& r, int, const Arg*) { set_int(r, 99); });
    EXPECT_EQ(result_int(call(Service::ToInteger, {arg_int(1)})), 99);
  }
  EXPECT_EQ(result_int(call(Service::ToInteger, {arg_int(1)})), 1);
}

TEST(ServiceCall, MissingArgumentsReadAsOmitted) {
  provide_value_services();
  EXPECT_EQ(result_int(call(Service::ToInteger, {})), 0);
  EXPECT_EQ(result_text(call(Service::ToText, {})).get(), nullptr);
}

TEST(Tags, NumericRule) {
  for (uint32_t t : {kTagByte, kTagShort, kTagInt, kTagLong, kTagFloat, kTagDouble}) EXPECT_TRUE(is_numeric_tag(t)) << t;
  for (uint32_t t : {kTagBool, kTagDateTime, kTagText, kTagBlock, kTagWindowRef, kTagMenuRef, kTagComboRef, kTagOmitted})
    EXPECT_FALSE(is_numeric_tag(t)) << t;
  EXPECT_TRUE(is_numeric_tag(0x80000701));
  EXPECT_FALSE(is_numeric_tag(0xC0000101));
  EXPECT_EQ(unit_ref_tag(0), uint32_t{kTagWindowRef});
  EXPECT_EQ(unit_ref_tag(2), uint32_t{kTagMenuRef});
  EXPECT_EQ(unit_ref_tag(13), uint32_t{kTagComboRef});
}

TEST(Tags, SixtyFourBitPayloadsSplitLittleEndian) {
  const Arg d = arg_double(1.0);  // 0x3FF0000000000000
  EXPECT_EQ(d.low, 0u);
  EXPECT_EQ(d.high, 0x3FF00000u);
  const Arg l = arg_long(INT64_C(0x0123456789ABCDEF));
  EXPECT_EQ(l.low, 0x89ABCDEFu);
  EXPECT_EQ(l.high, 0x01234567u);
  const Arg i = arg_int(-1);
  EXPECT_EQ(i.low, 0xFFFFFFFFu);
  EXPECT_EQ(i.high, 0u);
  if (sizeof(void*) == 4) {
    const Arg t = arg_text("x");
    EXPECT_EQ(t.high, 0u) << "a reference fills only the low word in the 32-bit program";
  }
}

}  // namespace
