// The yardsticks the start-up benchmark holds timer.exe against, built twice
// from this one file:
//
// - floor.exe: one captioned window with a one-second timer, the least a
//   windowed program that keeps time can start with;
// - design_floor.exe (FLOOR_WITH_CONTROLS): the same with what the timer's
//   design needs on top, OLE, the common controls, one date picker and one
//   combo box.
//
// Both go away on WM_CLOSE, as the timer does.
#include <windows.h>
#ifdef FLOOR_WITH_CONTROLS
#include <commctrl.h>
#include <ole2.h>
#endif

namespace {

constexpr UINT_PTR kTimerId = 1;

LRESULT CALLBACK floor_proc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  switch (m) {
    case WM_TIMER:
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(h, m, wp, lp);
  }
}

#ifdef FLOOR_WITH_CONTROLS
void add_controls(HWND parent) {
  const HINSTANCE self = GetModuleHandleW(nullptr);
  CreateWindowExW(0, DATETIMEPICK_CLASSW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 150, 22, parent,
                  reinterpret_cast<HMENU>(1), self, nullptr);
  CreateWindowExW(0, L"ComboBox", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN, 10, 40, 60,
                  200, parent, reinterpret_cast<HMENU>(2), self, nullptr);
}
#endif

}  // namespace

int WINAPI WinMain(HINSTANCE self, HINSTANCE, LPSTR, int) {
#ifdef FLOOR_WITH_CONTROLS
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
#endif
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = floor_proc;
  wc.hInstance = self;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"BenchFloorWindow";
  RegisterClassExW(&wc);
  const HWND w = CreateWindowExW(0, wc.lpszClassName, L"floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                 380, 173, nullptr, nullptr, self, nullptr);
  if (!w) return 1;
#ifdef FLOOR_WITH_CONTROLS
  add_controls(w);
#endif
  SetTimer(w, kTimerId, 1000, nullptr);
  ShowWindow(w, SW_SHOW);
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
#ifdef FLOOR_WITH_CONTROLS
  OleUninitialize();
#endif
  return 0;
}
