// Screenshots of the desktop or of a window as it shows on the screen, saved
// as PNG files for a person to look at, and such files read back.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace drv {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // rows top to bottom, 3 bytes a pixel, no padding
};

// The pixels of a rectangle of the screen; false when nothing could be read.
bool capture_screen(const RECT& screen, RgbImage* image);
// The same once painting has settled: captures until the picture has not
// changed for a tenth of a second (at most for the prompt bound; then the
// last one).
bool capture_settled(const RECT& screen, RgbImage* image);
// An 8-bit RGB PNG file; false when the image is empty or inconsistent, or
// the file could not be written.
bool save_png(const std::wstring& path, const RgbImage& image);

// An 8-bit PNG file read back as RGB (a picture the README shows, say).
bool load_png(const std::wstring& path, RgbImage* image);

// A window's outer rectangle as it shows once settled (what lies on top of it
// shows too), and the whole desktop.
bool save_window_shot(HWND w, const std::wstring& path);
bool save_desktop_shot(const std::wstring& path);

}  // namespace drv
