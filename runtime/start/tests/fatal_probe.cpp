// Raises a fatal runtime error (memory exhaustion) in a program started like
// ours, which keeps the machine awake, and records that request's changes
// and, from a CBT hook, what each message box shows, then presses its OK
// button. Usage: fatal_probe OUTPUT-FILE MODE, where MODE is
//   heap     the runtime heap runs out of memory;
//   new      a C++ allocation fails;
//   again    the heap runs out, and again while the box is being shown;
//   ticking  a window's 10 ms timer ticks; one tick finds no memory once,
//            and the probe records the ticks that ran while the box was open
//            and whether the window took input.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <new>
#include <string>

#include "gui_test_support.h"
#include "heap.h"
#include "layout.h"
#include "service.h"
#include "start_win.h"
#include "system/shutdown_win.h"
#include "window_runtime.h"

namespace {

std::string g_mode;
std::string g_output;
HHOOK g_hook;
const char* g_path;
int g_boxes = 0;
std::atomic<int> g_ticks{0};

constexpr uint32_t kWindow = 0x52000001, kOwn = 0x06000000, kTimer = 0x16000001;

void write_output() {
  if (FILE* f = std::fopen(g_path, "wb")) {
    std::fwrite(g_output.data(), 1, g_output.size(), f);
    std::fclose(f);
  }
}

std::string utf8(const std::wstring& w) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n > 0 ? n : 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, &s[0], n, nullptr, nullptr);
  s.resize(s.size() - 1);
  std::string escaped;
  for (char c : s) escaped += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
  return escaped;
}

std::wstring window_text(HWND w) {
  wchar_t buf[512] = {};
  if (w) GetWindowTextW(w, buf, 512);
  return buf;
}

// The icon static of a message box has id 20 on Windows and 0x440 in Wine.
HICON box_icon(HWND box) {
  for (int id : {20, 0x440}) {
    if (HWND s = GetDlgItem(box, id)) return reinterpret_cast<HICON>(SendMessageW(s, STM_GETICON, 0, 0));
  }
  return nullptr;
}

EXECUTION_STATE WINAPI record_execution_state(EXECUTION_STATE state) {
  g_output += state & ES_SYSTEM_REQUIRED ? "kept awake\n" : "may sleep\n";
  return SetThreadExecutionState(state);
}

void* no_memory(std::size_t) { return nullptr; }

void* no_memory_once(std::size_t) {
  rt::set_raw_allocator(nullptr);  // the next allocation succeeds again
  return nullptr;
}

BOOL CALLBACK find_probe_window(HWND h, LPARAM out) {
  if (window_text(h) == L"探针") *reinterpret_cast<HWND*>(out) = h;
  return TRUE;
}

HWND probe_window() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), find_probe_window, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Plays the user of the box in "ticking" mode: looks at the program for half
// a second (fifty timer periods) before pressing OK.
struct Watch {
  HWND box;
  HWND window;
  int ticks_at_open;
};

DWORD WINAPI watch_box(void* param) {
  Watch* watch = static_cast<Watch*>(param);
  Sleep(500);  // proving that nothing happens takes a while of nothing
  g_output += "ticks while open=" + std::to_string(g_ticks - watch->ticks_at_open) + "\n";
  g_output += std::string("window=") + (IsWindowEnabled(watch->window) ? "enabled" : "disabled") + "\n";
  write_output();
  PostMessageW(watch->box, WM_COMMAND, IDOK, 0);
  return 0;
}

LRESULT CALLBACK on_cbt(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_ACTIVATE) {
    HWND box = reinterpret_cast<HWND>(wparam);
    if (gui::is_message_box(box)) {
      ++g_boxes;
      const HICON error_icon = LoadIconW(nullptr, MAKEINTRESOURCEW(32513));  // IDI_HAND
      if (g_boxes > 1) g_output += "box " + std::to_string(g_boxes) + "\n";
      g_output += "caption=" + utf8(window_text(box)) + "\n";
      g_output += "text=" + utf8(window_text(GetDlgItem(box, 0xFFFF))) + "\n";
      g_output += std::string("owner=") + (GetWindow(box, GW_OWNER) ? "yes" : "none") + "\n";
      g_output += std::string("icon=") + (box_icon(box) == error_icon ? "error" : "other") + "\n";
      g_output += std::string("ok=") + (GetDlgItem(box, IDOK) ? "yes" : "no") + "\n";
      write_output();  // the process ends when the box is closed
      if (g_mode == "again" && g_boxes == 1) {
        rt::allocate(88);  // the allocator still finds nothing
      } else if (g_mode == "ticking") {
        static Watch watch;
        watch = Watch{box, probe_window(), g_ticks};
        CloseHandle(CreateThread(nullptr, 0, watch_box, &watch, 0, nullptr));
      } else {
        PostMessageW(box, WM_COMMAND, IDOK, 0);
      }
    }
  }
  return CallNextHookEx(g_hook, code, wparam, lparam);
}

int32_t on_tick(int, const int32_t*) {
  if (++g_ticks == 5) {
    rt::set_raw_allocator(&no_memory_once);
    rt::allocate(77);
  }
  return 1;
}

namespace f = rt::unit_flag;
const rt::UnitDef kUnits[] = {
    {kOwn, "窗口", rt::UnitClass::Window, -1, 50, 50, 200, 120, "探针", 0, f::kVisible | f::kSysMenu, 0, {}},
    {kTimer, "时钟1", rt::UnitClass::Timer, 0, 0, 0, 26, 26, nullptr, 10, 0, 0, {{{rt::event::kTick, "tick"}}}},
};
const rt::WindowDef kProbeWindow{kWindow, kUnits, sizeof kUnits / sizeof kUnits[0]};
const rt::WindowDef* const kLayouts[] = {&kProbeWindow};
const rt::HandlerEntry kHandlers[] = {{"tick", on_tick}};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  g_path = argv[1];
  g_mode = argv[2];
  rt::start_runtime();
  rt::system::ShutdownCalls recorded = rt::system::real_shutdown_calls();
  recorded.set_thread_execution_state = record_execution_state;
  rt::system::set_shutdown_calls(recorded);
  rt::call(rt::Service::KeepAwake, {rt::arg_bool(true)});  // a shutdown was scheduled
  g_hook = SetWindowsHookExW(WH_CBT, on_cbt, nullptr, GetCurrentThreadId());
  if (g_mode == "new") {
    volatile std::size_t too_much = 0x7FFFFFF0;  // more than a 32-bit process can have
    char* never = new char[too_much];
    std::printf("%p\n", static_cast<void*>(never));  // used, so the allocation happens
  } else if (g_mode == "ticking") {
    rt::start_windows(kLayouts, 1, kHandlers, 1);
    rt::load_startup_window(kWindow);
    rt::run_message_loop();
  } else {
    rt::set_raw_allocator(&no_memory);
    rt::allocate(77);
  }
  return 0;  // not reached: the fatal error ends the process
}
