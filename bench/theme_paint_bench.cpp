// The time one themed paint of a control takes, per kind of control: the
// whole double-buffered paint of a real control on the screen, as the
// program pays it at every state change and WM_PAINT.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "bench_report.h"
#include "theme/paint_win.h"
#include "theme/visual_style_win.h"

namespace {

HWND control(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
             DWORD ex = 0) {
  return CreateWindowExW(ex, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

double milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  static const double per_ms = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart) / 1000.0;
  }();
  return static_cast<double>(to.QuadPart - from.QuadPart) / per_ms;
}

// The median of `samples` paints, after a few that warm the caches.
double median_paint(HWND w, int samples) {
  for (int i = 0; i < 20; ++i) rt::theme::paint_window(w);
  std::vector<double> times;
  for (int i = 0; i < samples; ++i) {
    LARGE_INTEGER a, b;
    QueryPerformanceCounter(&a);
    rt::theme::paint_window(w);
    QueryPerformanceCounter(&b);
    times.push_back(milliseconds(a, b));
  }
  return bench::median(times);
}

}  // namespace

int main() {
  bench::read_arguments();
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&icc);
  const HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 100, 400, 260, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
  // The sizes of the program's own controls where it has them.
  const HWND combo = control(parent, L"COMBOBOX", L"", CBS_DROPDOWN | WS_VSCROLL, 10, 100, 40, 160);
  for (const wchar_t* item : {L"0", L"1", L"2"}) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  GetComboBoxInfo(combo, &info);
  struct Row {
    const char* kind;
    HWND w;
  };
  const Row rows[] = {
      {"push button", control(parent, L"BUTTON", L"定时", BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE, 10, 10, 73, 25)},
      {"check box", control(parent, L"BUTTON", L"关机", BS_AUTOCHECKBOX | BS_VCENTER | BS_MULTILINE, 10, 40, 57, 17)},
      {"radio button", control(parent, L"BUTTON", L"一", BS_AUTORADIOBUTTON | BS_VCENTER, 100, 40, 57, 17)},
      {"group box", control(parent, L"BUTTON", L"组", BS_GROUPBOX, 200, 10, 150, 80)},
      {"edit box", control(parent, L"EDIT", L"", ES_AUTOHSCROLL, 10, 70, 284, 20, WS_EX_CLIENTEDGE)},
      {"combo box", combo},
      {"drop-down list", info.hwndList},
      {"up-down control", control(parent, UPDOWN_CLASSW, L"", 0, 120, 100, 17, 30)},
  };
  for (const Row& r : rows) SendMessageW(r.w, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  rt::theme::set_visual_style(1);
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);  // the list on the screen too
  for (const Row& r : rows) {
    if (!rt::theme::find_record(r.w)) {
      bench::report(std::string("themed paint, ") + r.kind, "not restyled");
      continue;
    }
    bench::report(std::string("themed paint, ") + r.kind, bench::figure(median_paint(r.w, 400), 3, "ms"), "< 0.2 ms");
  }
  rt::theme::set_visual_style(0);
  DestroyWindow(parent);
  return 0;
}
