// What every driver scenario binary shares: the paths of the programs under
// test and of the screenshot folder, given on the command line as
//
//   --program=NAME=PATH   (once per program; PATH may be a build-machine path)
//   --shots=DIR           (where screenshots go)
//
// and starting a program until its first window shows.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "driver.h"

// Rectangles compare and print in checks (RECT lives in the global namespace).
inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline void PrintTo(const RECT& r, std::ostream* os) {
  *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ") " << r.right - r.left << "x"
      << r.bottom - r.top;
}

namespace scn {

// Reads the scenario's own arguments from the process's command line.
void read_arguments();

// The path given for a program, or empty.
std::wstring program(const std::wstring& name);

// A screenshot of the window in the shots folder as NAME.png; adds a test
// failure when it cannot be written.
void take_shot(HWND w, const std::wstring& name);
// The same of the whole desktop.
void take_desktop_shot(const std::wstring& name);

// A program under test and its first visible top-level window.
struct Launched {
  drv::Process process;
  HWND window = nullptr;
};

// Starts the named program with `args` and waits until it shows a top-level
// window with this caption.
::testing::AssertionResult launch(const std::wstring& name, const std::vector<std::wstring>& args,
                                  const std::wstring& caption, Launched* out);

// Waits (with the prompt bound) for the program to exit on its own after
// whatever the scenario did to close it, and checks its exit code is 0. A
// program that does not exit is ended.
::testing::AssertionResult exits_with_zero(Launched& launched);

}  // namespace scn
