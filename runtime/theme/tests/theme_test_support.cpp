#include "theme_test_support.h"

namespace tt {

Canvas::Canvas(int w, int h)
    : width(w), height(h), screen_(nullptr, rt::WindowDc::Client), canvas_(screen_.get(), w, h) {
  rt::theme::fill(canvas_.dc(), {0, 0, w, h}, kUnpainted);
}

void Canvas::paint(ControlKind kind, const Look& l) {
  const Rect all{0, 0, width, height};
  rt::theme::paint(kind, dc(), all, all, l);
}

Look look(uint32_t state, uint32_t style, const wchar_t* text) {
  Look l;
  l.state = state;
  l.scheme = 1;
  l.style = style;
  l.text = text;
  l.font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  l.background = GetSysColorBrush(COLOR_BTNFACE);
  l.background_color = GetSysColor(COLOR_BTNFACE);
  l.text_color = GetSysColor(COLOR_BTNTEXT);
  l.arrow_width = 17;
  return l;
}

testing::AssertionResult near_color(Color actual, Color expected, int tolerance) {
  using namespace rt::theme;
  const auto off = [&](int a, int b) { return a - b > tolerance || b - a > tolerance; };
  if (!off(red(actual), red(expected)) && !off(green(actual), green(expected)) && !off(blue(actual), blue(expected)))
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << "got (" << red(actual) << "," << green(actual) << "," << blue(actual)
                                     << "), want (" << red(expected) << "," << green(expected) << ","
                                     << blue(expected) << ") within " << tolerance;
}

long gdi_objects() {
  const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (n) return static_cast<long>(n);
  long live = 0;
  for (UINT_PTR index = 1; index < 0x10000; ++index) live += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
  return live;
}

namespace {
BOOL CALLBACK count_child(HWND, LPARAM counter) {
  ++*reinterpret_cast<long*>(counter);
  return TRUE;
}
BOOL CALLBACK count_window(HWND w, LPARAM counter) {
  ++*reinterpret_cast<long*>(counter);
  EnumChildWindows(w, count_child, counter);
  return TRUE;
}
}  // namespace

long user_objects() {
  const DWORD n = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  if (n) return static_cast<long>(n);
  long windows = 0;
  EnumThreadWindows(GetCurrentThreadId(), count_window, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

PixelSet pixels_of(const Canvas& c, const Rect& r, Color color) {
  PixelSet s;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (c.at(x, y) == color) s.insert({x, y});
  return s;
}

PixelSet picture(Point origin, std::initializer_list<const char*> rows, int size) {
  PixelSet s;
  int y = 0;
  for (const char* row : rows) {
    for (int x = 0; row[x]; ++x)
      if (row[x] == 'X')
        for (int dy = 0; dy < size; ++dy)
          for (int dx = 0; dx < size; ++dx) s.insert({origin.x + size * x + dx, origin.y + size * y + dy});
    ++y;
  }
  return s;
}

PixelSet chevron_down(int cx, int cy, int size) {
  return picture({cx - 4 * size, cy - 3 * size},
                 {
                     ".X.....X.",
                     "XXX...XXX",
                     ".XXX.XXX.",
                     "..XXXXX..",
                     "...XXX...",
                     "....X....",
                 },
                 size);
}

PixelSet tick(Point inner, int size) {
  return picture(inner,
                 {
                     "......X",
                     ".....XX",
                     "X...XXX",
                     "XX.XXX.",
                     "XXXXX..",
                     ".XXX...",
                     "..X....",
                 },
                 size);
}

}  // namespace tt
