#include "command_line.h"

namespace drv {

bool CommandLine::has(const std::wstring& name) const {
  for (const auto& o : options)
    if (o.first == name) return true;
  return false;
}

std::wstring CommandLine::value(const std::wstring& name) const {
  std::wstring v;
  for (const auto& o : options)
    if (o.first == name) v = o.second;
  return v;
}

std::map<std::wstring, std::wstring> CommandLine::keyed(const std::wstring& name) const {
  std::map<std::wstring, std::wstring> m;
  for (const auto& o : options) {
    const size_t eq = o.second.find(L'=');
    if (o.first == name && eq != std::wstring::npos) m[o.second.substr(0, eq)] = o.second.substr(eq + 1);
  }
  return m;
}

CommandLine parse_command_line(const std::vector<std::wstring>& args) {
  CommandLine c;
  for (const std::wstring& a : args) {
    if (a.size() > 2 && a.compare(0, 2, L"--") == 0) {
      const size_t eq = a.find(L'=');
      c.options.emplace_back(a.substr(2, eq == std::wstring::npos ? std::wstring::npos : eq - 2),
                             eq == std::wstring::npos ? std::wstring() : a.substr(eq + 1));
    } else {
      c.positional.push_back(a);
    }
  }
  return c;
}

}  // namespace drv
