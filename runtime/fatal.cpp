#include "fatal.h"

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

[[noreturn]] void raise(const int* code, const char* message) {
  g_sink(fatal_error_text(code, message));
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
