#include "driver_picture.h"

#include <cstdlib>

#include "driver_read.h"

namespace drv {

Picture::Picture(const RECT& screen) : at_(screen) { ok_ = capture_settled(at_, &image_); }

Picture::Picture(HWND window) : Picture(screen_rect(window)) {}

Picture::Picture(RgbImage image, POINT origin)
    : at_{origin.x, origin.y, origin.x + image.width, origin.y + image.height}, image_(std::move(image)), ok_(true) {}

COLORREF Picture::at(int x, int y) const {
  x -= at_.left;
  y -= at_.top;
  if (x < 0 || y < 0 || x >= image_.width || y >= image_.height) return CLR_INVALID;
  const uint8_t* p = &image_.rgb[(static_cast<size_t>(y) * image_.width + x) * 3];
  return RGB(p[0], p[1], p[2]);
}

int Picture::count(const RECT& rect, COLORREF c) const {
  int n = 0;
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x) n += at(x, y) == c;
  return n;
}

std::pair<int, int> Picture::ink(const RECT& rect) const {
  int first = 0, end = 0;
  for (int x = rect.left; x < rect.right; ++x)
    for (int y = rect.top; y < rect.bottom; ++y) {
      const COLORREF c = at(x, y);
      if (GetRValue(c) < 96 && GetGValue(c) < 96 && GetBValue(c) < 96) {
        if (!end) first = x;
        end = x + 1;
        break;
      }
    }
  return {first, end};
}

int Picture::standing_out(const RECT& rect, COLORREF background) const {
  // brightness 0 to 255, as the eye weighs the three channels
  const auto brightness = [](COLORREF c) { return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000; };
  int n = 0;
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x) n += std::abs(brightness(at(x, y)) - brightness(background)) >= 102;
  return n;
}

}  // namespace drv
