// The command line of a test program, benchmark or tool, read one way
// everywhere: "--NAME=VALUE" and "--NAME" options, and the other arguments
// in their order. Platform-independent but for command_line(), which asks
// Windows for this process's arguments.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace drv {

struct CommandLine {
  std::vector<std::wstring> positional;
  // In the order given; "--NAME" alone has an empty value.
  std::vector<std::pair<std::wstring, std::wstring>> options;

  bool has(const std::wstring& name) const;
  // The value of the last such option, or empty.
  std::wstring value(const std::wstring& name) const;
  // Options given as "--NAME=KEY=VALUE", any number of times: KEY to VALUE.
  std::map<std::wstring, std::wstring> keyed(const std::wstring& name) const;
};

CommandLine parse_command_line(const std::vector<std::wstring>& args);

// This process's arguments, its own name left out.
CommandLine command_line();

}  // namespace drv
