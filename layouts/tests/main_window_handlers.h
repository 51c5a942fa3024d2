// What the tests of the program's handlers share: the handlers run on the
// program's loaded main window as in the program, but the test calls them.
// The runtime starts once with the program's layouts and no handler table,
// the main window is loaded before each test and every window closed after.
#pragma once

#include <gtest/gtest.h>

#include "fatal_catcher.h"
#include "gui_test_support.h"
#include "layouts.h"
#include "main_window.h"
#include "start_win.h"
#include "window_runtime.h"

class MainWindowHandlers : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    rt::start_runtime();
    rt::start_windows(layouts::kAll, layouts::kCount, nullptr, 0);
  }
  void SetUp() override { ASSERT_TRUE(rt::load_window(layouts::main_window::kWindow, 0, false)); }
  void TearDown() override { gui::close_all_windows(); }

  FatalCatcher fatal_;  // a fatal error fails the test instead of ending it
};
