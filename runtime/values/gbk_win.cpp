#include "gbk_win.h"

#include <windows.h>

namespace rt {
namespace {
constexpr UINT kGbk = 936;
}

std::wstring to_wide(const char* gbk) {
  if (!gbk || !*gbk) return std::wstring();
  const int n = MultiByteToWideChar(kGbk, 0, gbk, -1, nullptr, 0);
  if (n <= 1) return std::wstring();
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(kGbk, 0, gbk, -1, &out[0], n);
  out.resize(static_cast<size_t>(n - 1));
  return out;
}

std::wstring to_wide(const std::string& gbk) { return to_wide(gbk.c_str()); }

std::string to_gbk(const wchar_t* text) {
  if (!text || !*text) return std::string();
  const int n = WideCharToMultiByte(kGbk, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return std::string();
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(kGbk, 0, text, -1, &out[0], n, nullptr, nullptr);
  out.resize(static_cast<size_t>(n - 1));
  return out;
}

std::string to_gbk(const std::wstring& text) { return to_gbk(text.c_str()); }

bool to_gbk_exactly(const std::wstring& text, std::string& gbk) {
  BOOL lossy = FALSE;
  gbk.clear();
  if (text.empty()) return true;
  const int length = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, text.c_str(), length, nullptr, 0, nullptr, &lossy);
  if (n <= 0) return false;
  gbk.resize(static_cast<size_t>(n));
  WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, text.c_str(), length, &gbk[0], n, nullptr, &lossy);
  // A NUL inside would cut the text short everywhere it goes.
  return !lossy && gbk.find('\0') == std::string::npos;
}

}  // namespace rt
