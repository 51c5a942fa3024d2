#include "display/dpi_win.h"

namespace rt::display {
namespace {

// user32's functions of Windows 10, or null where it has none.
template <typename F>
F user32_function(const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

using DpiForWindow = UINT(WINAPI*)(HWND);
using MetricsForDpi = int(WINAPI*)(int, UINT);

int read_system_dpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

int system_dpi() {
  static const int dpi = read_system_dpi();
  return dpi;
}

int window_dpi(HWND w) {
  static const auto dpi_for_window = user32_function<DpiForWindow>("GetDpiForWindow");
  const UINT dpi = dpi_for_window && w ? dpi_for_window(w) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : system_dpi();
}

int metric_for_dpi(int index, int dpi) {
  if (dpi == system_dpi()) return GetSystemMetrics(index);
  static const auto metrics_for_dpi = user32_function<MetricsForDpi>("GetSystemMetricsForDpi");
  if (metrics_for_dpi) return metrics_for_dpi(index, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(index), dpi, system_dpi());
}

GuiFont::GuiFont(int dpi) {
  if (dpi == system_dpi()) return;
  LOGFONTW f{};
  if (GetObjectW(stock(), sizeof f, &f) != sizeof f) return;
  f.lfHeight = MulDiv(f.lfHeight, dpi, system_dpi());
  f.lfWidth = MulDiv(f.lfWidth, dpi, system_dpi());
  own_.reset(CreateFontIndirectW(&f));
}

}  // namespace rt::display
