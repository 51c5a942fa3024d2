#include "fatal.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "number_text.h"

namespace rt {
namespace {

void stderr_sink(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

FatalSink g_sink = &stderr_sink;

// Set while a fatal error is being reported. The report may itself run into
// a second one: building its text can find no memory, and the Windows box
// runs a message loop. Reporting again would nest box in box until the stack
// runs out, so the second one ends the process at once.
std::atomic<bool> g_reporting{false};

[[noreturn]] void raise(const int* code, const char* message) {
  if (g_reporting.exchange(true)) std::_Exit(-1);
  try {
    g_sink(fatal_error_text(code, message));
  } catch (...) {
    // A sink that throws (the tests' sink) hands the error back to its
    // caller: the report is over.
    g_reporting = false;
    throw;
  }
  std::_Exit(-1);
}

}  // namespace

std::string fatal_error_text(const int* code, const char* message) {
  std::string text = "运行时出错!\r\n\r\n";
  if (code) text += "错误代码：" + format_int(*code) + "\r\n\r\n";
  if (message) text += std::string("错误信息：") + message + "\r\n";
  return text;
}

void fatal_error(const char* message) { raise(nullptr, message); }
void fatal_error_code(int code, const char* message) { raise(&code, message); }

FatalSink set_fatal_sink(FatalSink sink) {
  FatalSink old = g_sink;
  g_sink = sink ? sink : &stderr_sink;
  return old;
}

}  // namespace rt
