// Build step: writes the program's built-in data into OUTDIR, the alarm
// sound and the icon, each as a plain file (to listen to, to look at, and for
// the icon resource) and wrapped as a byte block (for the data resources).
//
//   timer_assets_generate OUTDIR
//
// The program relies on the exact sizes of both files, so a size that drifts
// stops the build here rather than surfacing at run time.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "alarm_sound.h"
#include "byte_block.h"
#include "timer_icon.h"

namespace {

namespace fs = std::filesystem;
using assets::Bytes;

constexpr size_t kAlarmBytes = 5'116'388;
constexpr size_t kIconBytes = 81'702;

// Written under a temporary name and renamed, so an interrupted build never
// leaves a truncated file that looks up to date.
bool write_file(const fs::path& path, const Bytes& bytes) {
  const fs::path temporary = path.string() + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) return false;
  }
  std::error_code error;
  fs::rename(temporary, path, error);
  return !error;
}

bool write_pair(const fs::path& dir, const char* file, const char* block, const Bytes& bytes, size_t expected) {
  if (bytes.size() != expected) {
    std::fprintf(stderr, "timer_assets_generate: %s is %zu bytes, the program needs %zu\n", file, bytes.size(),
                 expected);
    return false;
  }
  if (write_file(dir / file, bytes) && write_file(dir / block, assets::wrap_as_block(bytes))) return true;
  std::fprintf(stderr, "timer_assets_generate: cannot write %s in %s\n", file, dir.string().c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: timer_assets_generate OUTDIR\n");
    return 2;
  }
  const fs::path dir = argv[1];
  std::error_code error;
  fs::create_directories(dir, error);
  const bool ok = write_pair(dir, "alarm_sound.wav", "alarm_sound.block", assets::make_alarm_wave(), kAlarmBytes) &&
                  write_pair(dir, "timer.ico", "tray_icon.block", assets::make_timer_icon(), kIconBytes);
  return ok ? 0 : 1;
}
