// The display scale: the program's windows are laid out, and its controls
// drawn, in pixels of a 96-DPI screen; a window on a screen of another DPI
// shows every such number multiplied by DPI / 96. This is the one place
// where a 96-DPI number becomes a device pixel and back.
#pragma once

#include <cstdint>

namespace rt {

constexpr int kBaseDpi = 96;

// A position or length in 96-DPI pixels and its counterpart in device pixels.
class Scale {
 public:
  constexpr Scale() = default;
  // Anything below 1 DPI (an answer of 0 from Windows) counts as 96.
  constexpr explicit Scale(int dpi) : dpi_(dpi > 0 ? dpi : kBaseDpi) {}

  constexpr int dpi() const { return dpi_; }
  constexpr bool is_base() const { return dpi_ == kBaseDpi; }

  // v * DPI / 96, halves rounded away from zero (as MulDiv rounds), so that
  // a position and its mirror image on the other side of 0 stay mirrored.
  constexpr int to_device(int v) const { return divide_rounded(int64_t{v} * dpi_, kBaseDpi); }
  // The way back. At 96 DPI and above it undoes to_device exactly, whatever
  // the number, since two 96-DPI pixels never land on one device pixel.
  constexpr int to_base(int device) const { return divide_rounded(int64_t{device} * kBaseDpi, dpi_); }
  // The width of a line drawn 1 pixel wide at 96 DPI: never thinner than 1.
  constexpr int line() const { return to_device(1) < 1 ? 1 : to_device(1); }

 private:
  static constexpr int divide_rounded(int64_t n, int64_t d) {
    return static_cast<int>(n >= 0 ? (n + d / 2) / d : -((-n + d / 2) / d));
  }
  int dpi_ = kBaseDpi;
};

// A unit's place: position and size, each scaled on its own, so that a
// number the program writes comes back unchanged when it reads it.
struct Box {
  int left, top, width, height;
  friend bool operator==(const Box& a, const Box& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
  }
};
Box to_device(const Scale& s, const Box& b);
Box to_base(const Scale& s, const Box& b);

}  // namespace rt
