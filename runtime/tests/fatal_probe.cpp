// Raises a fatal runtime error (memory exhaustion) in a program started like
// ours, and records from a CBT hook what the message box shows, then presses
// its OK button. Usage: fatal_probe OUTPUT-FILE [new]
// The runtime heap runs out of memory, or with "new" a C++ allocation fails.
#include <windows.h>

#include <cstdio>
#include <string>
#include <new>

#include "heap.h"
#include "start_win.h"

namespace {

std::string g_output;
HHOOK g_hook;
const char* g_path;

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

LRESULT CALLBACK on_cbt(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_ACTIVATE) {
    HWND box = reinterpret_cast<HWND>(wparam);
    wchar_t cls[32] = {};
    GetClassNameW(box, cls, 32);
    if (std::wstring(cls) == L"#32770") {
      const HICON error_icon = LoadIconW(nullptr, MAKEINTRESOURCEW(32513));  // IDI_HAND
      g_output = "caption=" + utf8(window_text(box)) + "\n";
      g_output += "text=" + utf8(window_text(GetDlgItem(box, 0xFFFF))) + "\n";
      g_output += std::string("owner=") + (GetWindow(box, GW_OWNER) ? "yes" : "none") + "\n";
      g_output += std::string("icon=") + (box_icon(box) == error_icon ? "error" : "other") + "\n";
      g_output += std::string("ok=") + (GetDlgItem(box, IDOK) ? "yes" : "no") + "\n";
      write_output();  // the process ends when the box is closed
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
  }
  return CallNextHookEx(g_hook, code, wparam, lparam);
}

void* no_memory(std::size_t) { return nullptr; }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  g_path = argv[1];
  rt::start_runtime();
  g_hook = SetWindowsHookExW(WH_CBT, on_cbt, nullptr, GetCurrentThreadId());
  if (argc > 2 && std::string(argv[2]) == "new") {
    volatile std::size_t too_much = 0x7FFFFFF0;  // more than a 32-bit process can have
    char* never = new char[too_much];
    std::printf("%p\n", static_cast<void*>(never));  // used, so the allocation happens
  } else {
    rt::set_raw_allocator(&no_memory);
    rt::allocate(77);
  }
  return 0;  // not reached: the fatal error ends the process
}
