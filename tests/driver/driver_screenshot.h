// Screenshots of the desktop or of a window as it shows on the screen, saved
// as PNG files for a person to look at.
#pragma once

#include <windows.h>

#include <string>

#include "png_writer.h"

namespace drv {

// The pixels of a rectangle of the screen; false when nothing could be read.
bool capture_screen(const RECT& screen, RgbImage* image);
// The same once painting has settled: captures until the picture has not
// changed for a tenth of a second (at most for the prompt bound; then the
// last one).
bool capture_settled(const RECT& screen, RgbImage* image);
bool save_png(const std::wstring& path, const RgbImage& image);

// A window's outer rectangle as it shows once settled (what lies on top of it
// shows too), and the whole desktop.
bool save_window_shot(HWND w, const std::wstring& path);
bool save_desktop_shot(const std::wstring& path);

}  // namespace drv
