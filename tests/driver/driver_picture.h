// What the screen shows, read pixel by pixel: the one reader of screen
// pixels that tests share.
#pragma once

#include <windows.h>

#include <utility>

#include "driver_screenshot.h"

namespace drv {

// A picture of a rectangle of the screen once painting has settled (or of
// an image made elsewhere, placed at `origin`), read in screen coordinates.
class Picture {
 public:
  explicit Picture(const RECT& screen);
  explicit Picture(HWND window);  // its outer rectangle
  Picture(RgbImage image, POINT origin);
  bool ok() const { return ok_; }
  const RgbImage& image() const { return image_; }

  // The colour at a point; CLR_INVALID outside the picture.
  COLORREF at(int x, int y) const;
  // How many pixels of `rect` have this colour.
  int count(const RECT& rect, COLORREF c) const;
  // The columns in `rect` that hold dark pixels (the ink of text): the first
  // and one past the last; {0, 0} when there are none.
  std::pair<int, int> ink(const RECT& rect) const;
  // How many pixels of `rect` stand out from `background`: their brightness
  // differs from it by at least 40 %, as readable text does, in any colours.
  int standing_out(const RECT& rect, COLORREF background) const;

 private:
  RECT at_;
  RgbImage image_;
  bool ok_ = false;
};

}  // namespace drv
