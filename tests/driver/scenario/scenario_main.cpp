// The entry of every driver scenario binary: GoogleTest's flags, then ours.
#include <gtest/gtest.h>

#include "scenario_support.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  scn::read_arguments();
  return RUN_ALL_TESTS();
}
