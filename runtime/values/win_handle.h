// Owners for Win32 resources: one move-only template over the handle type and
// its close function, plus small owners where closing needs more.
#pragma once

#include <windows.h>

#include <utility>

namespace rt {

template <typename H, auto Close>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(H h) : h_(h) {}
  UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, H{})) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    if (this != &o) reset(std::exchange(o.h_, H{}));
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  H get() const { return h_; }
  explicit operator bool() const { return h_ != H{}; }
  H release() { return std::exchange(h_, H{}); }
  void reset(H h = H{}) {
    if (h_ != H{}) Close(h_);
    h_ = h;
  }

 private:
  H h_{};
};

using UniqueMenu = UniqueHandle<HMENU, &DestroyMenu>;
using UniqueIcon = UniqueHandle<HICON, &DestroyIcon>;
using UniqueHook = UniqueHandle<HHOOK, &UnhookWindowsHookEx>;
using UniqueGdiObject = UniqueHandle<HGDIOBJ, &DeleteObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, &DeleteObject>;
using UniqueFont = UniqueHandle<HFONT, &DeleteObject>;
using UniqueDc = UniqueHandle<HDC, &DeleteDC>;  // CreateCompatibleDC and the like
// Threads, events, semaphores, files (a file that failed to open is
// INVALID_HANDLE_VALUE and must not be put in one).
using UniqueKernelHandle = UniqueHandle<HANDLE, &CloseHandle>;

// A critical section for the lifetime of its owner; Windows keeps its
// address, so it neither moves nor copies.
class CriticalSection {
 public:
  CriticalSection() { InitializeCriticalSection(&cs_); }
  ~CriticalSection() { DeleteCriticalSection(&cs_); }
  CriticalSection(const CriticalSection&) = delete;
  CriticalSection& operator=(const CriticalSection&) = delete;
  void enter() { EnterCriticalSection(&cs_); }
  void leave() { LeaveCriticalSection(&cs_); }

 private:
  CRITICAL_SECTION cs_;
};

// Holds a critical section for a scope.
class Locked {
 public:
  explicit Locked(CriticalSection& cs) : cs_(cs) { cs_.enter(); }
  ~Locked() { cs_.leave(); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  CriticalSection& cs_;
};

// BeginPaint / EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND w) : w_(w) { dc_ = BeginPaint(w, &ps_); }
  ~PaintDc() { EndPaint(w_, &ps_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND w_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// GetDC (the client area) or GetWindowDC (the whole window), given back
// with ReleaseDC, which needs the window too.
class WindowDc {
 public:
  enum Area { Client, Whole };
  WindowDc(HWND w, Area a) : w_(w), dc_(a == Whole ? GetWindowDC(w) : GetDC(w)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(w_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND w_;
  HDC dc_;
};

// Puts the previously selected object back into the DC. An object the DC
// holds already is left as it is: selecting a font costs more than drawing
// text with it.
class SelectObjectScope {
 public:
  SelectObjectScope(HDC dc, HGDIOBJ obj)
      : dc_(dc), old_(obj && GetCurrentObject(dc, GetObjectType(obj)) != obj ? SelectObject(dc, obj) : nullptr) {}
  ~SelectObjectScope() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectObjectScope(const SelectObjectScope&) = delete;
  SelectObjectScope& operator=(const SelectObjectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace rt
