// A small window program for the driver's self-test: an edit box, a push
// button counting its clicks, a check box, a combo box with three items, a
// date picker at a fixed date, and a label counting double-clicks on the
// window's empty client area. Tab walks the controls (dialog navigation),
// Esc or the close button ends it with the exit code given as its argument.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "target_ids.h"

namespace {

int g_clicks = 0, g_double_clicks = 0;

HWND add(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, DWORD ex_style, int id,
         const target::Place& p) {
  HWND w = CreateWindowExW(ex_style, cls, text, WS_CHILD | WS_VISIBLE | style, p.left, p.top, p.width, p.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return w;
}

void set_count(HWND parent, int id, const wchar_t* word, int n) {
  SetWindowTextW(GetDlgItem(parent, id), (std::wstring(word) + L" " + std::to_wstring(n)).c_str());
}

void create_controls(HWND w) {
  using namespace target;
  add(w, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kEdit, kEditPlace);
  add(w, L"BUTTON", L"按下", WS_TABSTOP | BS_PUSHBUTTON, 0, kButton, kButtonPlace);
  add(w, L"BUTTON", L"选项", WS_TABSTOP | BS_AUTOCHECKBOX, 0, kCheck, kCheckPlace);
  HWND combo = add(w, L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN, 0, kCombo, kComboPlace);
  for (const wchar_t* item : {L"甲", L"乙", L"丙"}) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  add(w, L"STATIC", L"点击 0", 0, 0, kClicks, kClicksPlace);
  HWND date = add(w, DATETIMEPICK_CLASSW, L"", WS_TABSTOP | DTS_LONGDATEFORMAT, 0, kDate, kDatePlace);
  SYSTEMTIME t{};
  t.wYear = kYear;
  t.wMonth = kMonth;
  t.wDay = kDay;
  t.wHour = kHour;
  t.wMinute = kMinute;
  t.wSecond = kSecond;
  SendMessageW(date, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&t));
  add(w, L"STATIC", L"双击 0", 0, 0, kDoubleClicks, kDoubleClicksPlace);
}

LRESULT CALLBACK window_proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  switch (m) {
    case WM_CREATE:
      create_controls(w);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wp) == IDCANCEL) {
        DestroyWindow(w);
      } else if (LOWORD(wp) == target::kButton && HIWORD(wp) == BN_CLICKED) {
        set_count(w, target::kClicks, L"点击", ++g_clicks);
      }
      return 0;
    case WM_LBUTTONDBLCLK:
      set_count(w, target::kDoubleClicks, L"双击", ++g_double_clicks);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(w, m, wp, lp);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
  const int exit_code = std::atoi(command_line);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
  InitCommonControlsEx(&icc);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = window_proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = target::kClass;
  RegisterClassExW(&wc);
  HWND w = CreateWindowExW(0, target::kClass, target::kCaption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                           target::kLeft, target::kTop, target::kWidth, target::kHeight, nullptr, nullptr, instance,
                           nullptr);
  ShowWindow(w, SW_SHOW);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(w, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return exit_code;
}
