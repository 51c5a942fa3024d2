// A third yardstick for the start-up benchmark: timer.exe's own main window
// made the shortest way, with plain Windows calls and none of the program's
// runtime but its GBK conversion. The same caption, controls, geometry and texts (read from the
// main window's layout), the same fonts and icons, the combo boxes filled
// with the same 144 items, a clock label written every second, and the same
// tray icon (the built-in ICO data, through the same picking rule). As in
// the timer, the clock label is first written by the first tick. Once
// minimised it withdraws into the tray, as the timer does. What timer.exe
// costs beyond this is what its runtime, its themed look and its handlers
// cost; what this costs beyond the design floor is the window itself.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "builtin_data_win.h"
#include "gbk_win.h"
#include "icon_picker.h"
#include "main_window.h"

namespace {

namespace mw = layouts::main_window;
namespace f = rt::unit_flag;

constexpr UINT_PTR kClockTimer = 1;
constexpr UINT kTrayMessage = WM_APP + 0x64;
constexpr int kDropDownHeight = 160;

HWND g_clock = nullptr;  // the label that shows the current time
HICON g_tray_icon = nullptr;

void show_time() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  wchar_t text[64];
  swprintf(text, 64, L"%d年%d月%d日 %d时%d分%d秒", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
  SetWindowTextW(g_clock, text);
}

LRESULT CALLBACK frame_proc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  switch (m) {
    case WM_TIMER:
      show_time();
      return 0;
    case WM_SIZE:
      if (wp == SIZE_MINIMIZED) ShowWindow(h, SW_HIDE);
      return 0;
    case WM_DESTROY: {
      NOTIFYICONDATAW d{};
      d.cbSize = NOTIFYICONDATAW_V1_SIZE;
      d.hWnd = h;
      d.uID = 100;
      Shell_NotifyIconW(NIM_DELETE, &d);
      if (g_tray_icon) DestroyIcon(g_tray_icon);
      PostQuitMessage(0);
      return 0;
    }
    default:
      return DefWindowProcW(h, m, wp, lp);
  }
}

void add_control(HWND parent, const rt::UnitDef& u, const HFONT font) {
  const wchar_t* cls = nullptr;
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, ex = 0;
  switch (u.cls) {
    case rt::UnitClass::Label:
      cls = L"STATIC";
      break;
    case rt::UnitClass::Button:
      cls = L"BUTTON";
      style |= BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP;
      break;
    case rt::UnitClass::CheckBox:
      cls = L"BUTTON";
      style |= BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP;
      break;
    case rt::UnitClass::EditBox:
      cls = L"EDIT";
      style |= ES_AUTOHSCROLL | WS_TABSTOP;
      ex = WS_EX_CLIENTEDGE;
      break;
    case rt::UnitClass::ComboBox:
      cls = L"COMBOBOX";
      style |=
          WS_VSCROLL | CBS_AUTOHSCROLL | WS_TABSTOP | ((u.flags & f::kDropDownList) ? CBS_DROPDOWNLIST : CBS_DROPDOWN);
      break;
    case rt::UnitClass::DateBox:
      cls = DATETIMEPICK_CLASSW;
      style |= DTS_LONGDATEFORMAT | WS_TABSTOP;
      ex = WS_EX_CLIENTEDGE;
      break;
    default:
      return;  // menus and timers are no windows here
  }
  const int height = u.cls == rt::UnitClass::ComboBox ? kDropDownHeight : u.height;
  HWND c = CreateWindowExW(ex, cls, rt::to_wide(u.text).c_str(), style, u.left, u.top, u.width, height, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (u.cls == rt::UnitClass::ComboBox) {
    const int count = u.id == mw::组合框_时 ? 24 : 60;
    for (int i = 0; i < count; ++i)
      SendMessageW(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(i).c_str()));
  }
  if (u.id == mw::标签_当前时间) g_clock = c;
}

void add_tray_icon(HWND frame) {
  const auto* block = static_cast<const unsigned char*>(assets::tray_icon_block());
  if (!block) return;
  uint32_t size;
  std::memcpy(&size, block + 4, sizeof size);
  HICON icon = nullptr;
  for (int width : {16, 32}) {
    const auto image = tray::pick_icon_image(block + 8, size, width);
    if (image && (icon = CreateIconFromResourceEx(const_cast<BYTE*>(image->bytes), image->size, TRUE, 0x00030000,
                                                  image->width, image->height, 0)))
      break;
  }
  NOTIFYICONDATAW d{};
  d.cbSize = NOTIFYICONDATAW_V1_SIZE;
  d.hWnd = frame;
  d.uID = 100;
  d.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  d.uCallbackMessage = kTrayMessage;
  d.hIcon = g_tray_icon = icon;
  lstrcpynW(d.szTip, L"定时器", 64);
  Shell_NotifyIconW(NIM_ADD, &d);
}

}  // namespace

int WINAPI WinMain(HINSTANCE self, HINSTANCE, LPSTR, int) {
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  const rt::UnitDef& own = mw::kLayout.units[0];
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = frame_proc;
  wc.hInstance = self;
  wc.hIcon = static_cast<HICON>(LoadImageW(self, assets::kDefaultIconName, IMAGE_ICON, 32, 32, LR_SHARED));
  wc.hIconSm = static_cast<HICON>(LoadImageW(self, assets::kDefaultIconName, IMAGE_ICON, 16, 16, LR_SHARED));
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"BenchSameWindow";
  RegisterClassExW(&wc);
  const int x = (GetSystemMetrics(SM_CXSCREEN) - own.width) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - own.height) / 2;
  const HWND w = CreateWindowExW(0, wc.lpszClassName, rt::to_wide(own.text).c_str(),
                                 WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, x, y, own.width,
                                 own.height, nullptr, nullptr, self, nullptr);
  if (!w) return 1;
  const auto font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  // A new child goes below its siblings: layout order puts the first unit on top.
  for (int i = 1; i < mw::kLayout.unit_count; ++i) add_control(w, mw::kLayout.units[i], font);
  SetTimer(w, kClockTimer, 1000, nullptr);
  add_tray_icon(w);
  ShowWindow(w, SW_SHOW);
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  OleUninitialize();
  return 0;
}
