#include <windows.h>
#include <shellapi.h>

#include "command_line.h"

namespace drv {

CommandLine command_line() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::wstring> args;
  for (int i = 1; argv && i < argc; ++i) args.emplace_back(argv[i]);
  LocalFree(argv);
  return parse_command_line(args);
}

}  // namespace drv
