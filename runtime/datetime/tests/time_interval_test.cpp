// The time interval service in all eight units.
#include <gtest/gtest.h>

#include <cmath>

#include "convert.h"
#include "datetime.h"
#include "service.h"
#include "time_interval.h"

namespace {

using namespace rt;

double interval(double a, double b, int unit) {
  return result_double(call(Service::TimeInterval, {arg_datetime(a), arg_datetime(b), arg_int(unit)}));
}

class TimeInterval : public ::testing::Test {
 protected:
  void SetUp() override { provide_datetime_services(); }
  void TearDown() override { set_datetime_formatter(nullptr); }  // as the other tests of this binary expect
};

double at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) { return build_datetime(y, mo, d, h, mi, s); }

TEST_F(TimeInterval, Units) {
  const double noon = at(2014, 11, 8, 12), saturday = at(2014, 11, 8), sunday = at(2014, 11, 9);
  const struct {
    double a, b;
    int unit;
    double expected;
  } cases[] = {
      {at(2014, 11, 8, 12, 1), noon, 8, 60.0},
      {noon, at(2014, 11, 8, 12, 1), 8, -59.0},  // the bias is added before truncating toward zero
      {noon, noon, 8, 0.0},
      {at(2014, 11, 8, 12, 0, 1), noon, 8, 1.0},
      {noon, saturday, 5, 0.5},
      {noon, saturday, 6, 12.0},
      {noon, saturday, 7, 720.0},
      {at(2015, 3, 1), saturday, 0, 1.0},  // below 1: years
      {at(2015, 3, 1), saturday, 1, 1.0},
      {at(2015, 3, 1), saturday, 9, 113 * 86400.0},  // above 8: seconds
      {at(2015, 1, 1), at(2014, 12, 31, 23, 59, 59), 2, 1.0},
      {at(2014, 3, 31), at(2014, 1, 1), 2, 0.0},
      {at(2014, 4, 1), at(2014, 3, 31), 2, 1.0},
      {at(2014, 1, 1), at(2015, 12, 31), 2, -7.0},
      {at(2015, 1, 1), at(2014, 12, 31), 3, 1.0},
      {at(2014, 1, 31), at(2015, 3, 1), 3, -14.0},
      {at(2014, 11, 10), saturday, 4, 1.0},  // Monday after Saturday: a Sunday boundary crossed
      {at(2014, 11, 15), sunday, 4, 0.0},    // Sunday to Saturday: none
      {saturday, at(2014, 11, 10), 4, -1.0},
      {at(2014, 11, 22), saturday, 4, 2.0},
      {at(2014, 11, 23), saturday, 4, 3.0},
      // Before 1899-12-30 the time of day counts forward on a straight line:
      // -1.25 is 1899-12-29 06:00, a day before 0.25.
      {-1.25, 0.25, 5, -1.0},
      {0.25, -1.25, 8, 86400.0},
      {-1.25, -0.75, 5, -1.5},  // -0.75 is 1899-12-30 18:00
      // 100 years of seconds do not fit in 32 bits.
      {at(2100, 1, 1), at(2000, 1, 1), 8, 3155760000.0 - 4294967296.0},
      {at(2100, 1, 1), at(2000, 1, 1), 7, 52596000.0},
      // Values outside the calendar are clamped, but only after the test for
      // equal values.
      {1e7, kLastDateTime - 1, 5, 1.0},
      {1e7, 2e7, 8, 0.0},
      {-1e7, kEmptyDateTime, 5, 0.0},
  };
  for (const auto& c : cases) EXPECT_EQ(interval(c.a, c.b, c.unit), c.expected) << c.a << " - " << c.b << " in " << c.unit;
  EXPECT_FALSE(std::signbit(interval(-0.0, 0.0, 5))) << "equal values give 0.0";
}

TEST_F(TimeInterval, TextArgumentsAreReadAsDateTimes) {
  const Result r = call(Service::TimeInterval, {arg_text("2014-11-8 12:00:30"), arg_datetime(41951.5), arg_int(8)});
  EXPECT_EQ(result_double(r), 30.0);
}

}  // namespace
