// The fatal runtime error: the runtime's only error report. A message box
// captioned "错误" explains it, then the process ends with exit code -1.
#pragma once

#include <string>

namespace rt {

// The text of the box: "运行时出错!" and two line breaks, then
// "错误代码：<code>" and two line breaks when a code is given, then
// "错误信息：<message>" and one line break when a message is given.
std::string fatal_error_text(const int* code, const char* message);

[[noreturn]] void fatal_error(const char* message);
[[noreturn]] void fatal_error_code(int code, const char* message);

// Where a fatal error goes. The default writes the text to stderr and exits
// with -1; the Windows runtime installs the message box at start-up, tests
// install a sink that throws. A sink that returns is followed by exit(-1).
// A fatal error raised while another is being reported (from inside the
// sink, on any thread) ends the process at once with -1.
using FatalSink = void (*)(const std::string& text);
FatalSink set_fatal_sink(FatalSink sink);

}  // namespace rt
