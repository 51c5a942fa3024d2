#include "bench_report.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>

#include "command_line.h"
#include "driver_process.h"

namespace bench {
namespace {

std::map<std::wstring, std::wstring>& programs() {
  static std::map<std::wstring, std::wstring> m;
  return m;
}

std::wstring& out_file() {
  static std::wstring path;
  return path;
}

std::map<std::wstring, std::wstring>& options() {
  static std::map<std::wstring, std::wstring> m;
  return m;
}

}  // namespace

void read_arguments() {
  const drv::CommandLine c = drv::command_line();
  for (const auto& [name, path] : c.keyed(L"program")) programs()[name] = drv::windows_path(path);
  for (const auto& [name, value] : c.options) {
    if (name == L"out") {
      out_file() = drv::windows_path(value);
    } else if (name != L"program") {
      options()[name] = value;
    }
  }
}

std::wstring program(const std::wstring& name) {
  const auto it = programs().find(name);
  return it == programs().end() ? std::wstring() : it->second;
}

std::wstring option(const std::wstring& name) {
  const auto it = options().find(name);
  return it == options().end() ? std::wstring() : it->second;
}

int option_int(const std::wstring& name, int fallback) {
  const std::wstring v = option(name);
  return v.empty() ? fallback : _wtoi(v.c_str());
}

void report(const std::string& what, const std::string& value, const std::string& target) {
  FILE* f = out_file().empty() ? stdout : _wfopen(out_file().c_str(), L"ab");
  if (!f) return;
  std::fprintf(f, "%s\t%s\t%s\n", what.c_str(), value.c_str(), target.c_str());
  if (f != stdout) std::fclose(f);
}

double median(std::vector<double> samples) {
  if (samples.empty()) return 0;
  std::sort(samples.begin(), samples.end());
  const size_t n = samples.size();
  return n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

std::string figure(double value, int decimals, const char* unit) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f %s", decimals, value, unit);
  return text;
}

}  // namespace bench
