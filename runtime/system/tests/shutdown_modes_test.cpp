// The ExitWindowsEx flags of every mode, forced or not, on either platform,
// and which arguments count as force.
#include <gtest/gtest.h>

#include <climits>

#include "system/shutdown_modes.h"

namespace {

using namespace rt::system;

TEST(ShutdownModes, ExitWindowsFlags) {
  struct Case {
    int32_t mode;
    bool force, nt;
    uint32_t flags;
  };
  const Case cases[] = {
      {1, true, true, 12},  {1, false, true, 8},  {1, true, false, 5}, {1, false, false, 1},
      {2, true, true, 6},   {2, false, true, 2},  {2, true, false, 6}, {2, false, false, 2},
      {3, true, true, 4},   {3, false, true, 0},  {3, true, false, 4}, {3, false, false, 0},
      {0, true, true, 0},   {6, true, true, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(exit_windows_flags(c.mode, c.force, c.nt), c.flags)
        << "mode " << c.mode << (c.force ? " forced" : "") << (c.nt ? " on NT" : " elsewhere");
}

TEST(ShutdownModes, OnlyOneToFiveAreModesAndFourAndFiveArePowerStates) {
  for (int32_t mode : {INT_MIN, -1, 0, 6, INT_MAX}) {
    EXPECT_FALSE(is_shutdown_mode(mode)) << mode;
    EXPECT_FALSE(is_power_state_mode(mode)) << mode;
  }
  for (int32_t mode = 1; mode <= 5; ++mode) {
    EXPECT_TRUE(is_shutdown_mode(mode)) << mode;
    EXPECT_EQ(is_power_state_mode(mode), mode >= 4) << mode;
  }
}

TEST(ShutdownModes, ForceNeedsAnArgumentWithANonZeroLowWord) {
  EXPECT_FALSE(force_requested(rt::omitted()));
  EXPECT_FALSE(force_requested(rt::arg_bool(false)));
  EXPECT_FALSE(force_requested(rt::Arg{0, 1, rt::kTagBool})) << "the high word does not count";
  EXPECT_FALSE(force_requested(rt::Arg{1, 0, rt::kTagOmitted})) << "an omitted argument is never force";
  EXPECT_TRUE(force_requested(rt::arg_bool(true)));
  EXPECT_TRUE(force_requested(rt::arg_int(2)));
}

}  // namespace
