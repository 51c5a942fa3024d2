// Writes what the scripts need of the layouts as shell assignments into the
// file it is given, so that no script copies a size by hand: the main
// window's outer size.
#include <cstdio>

#include "main_window.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::FILE* out = std::fopen(argv[1], "w");
  if (!out) return 1;
  const rt::UnitDef& window = layouts::main_window::kLayout.units[0];
  std::fprintf(out, "main_window_width=%d\nmain_window_height=%d\n", window.width, window.height);
  return std::fclose(out) == 0 ? 0 : 1;
}
