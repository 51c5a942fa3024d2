#include "driver_screenshot.h"

#include <cstdio>

// The PNG encoder and decoder: stb_image_write and stb_image from the
// distribution (libstb-dev), their code compiled here and only here,
// without their own file functions (the path is a wide string).
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_ONLY_PNG
#include <stb_image.h>

#include "driver_read.h"
#include "driver_wait.h"

namespace drv {
namespace {

// Screen DC released, memory DC deleted, bitmap deleted: in this order.
class Capture {
 public:
  Capture(int w, int h) {
    screen_ = GetDC(nullptr);
    memory_ = CreateCompatibleDC(screen_);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_ = CreateDIBSection(memory_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (bitmap_) old_ = SelectObject(memory_, bitmap_);
  }
  ~Capture() {
    if (old_) SelectObject(memory_, old_);
    if (bitmap_) DeleteObject(bitmap_);
    if (memory_) DeleteDC(memory_);
    if (screen_) ReleaseDC(nullptr, screen_);
  }
  Capture(const Capture&) = delete;
  Capture& operator=(const Capture&) = delete;

  bool copy(const RECT& r) {
    if (!bits_ || !BitBlt(memory_, 0, 0, r.right - r.left, r.bottom - r.top, screen_, r.left, r.top, SRCCOPY | CAPTUREBLT))
      return false;
    GdiFlush();
    return true;
  }
  const uint8_t* bgrx() const { return static_cast<const uint8_t*>(bits_); }

 private:
  HDC screen_ = nullptr;
  HDC memory_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
};

}  // namespace

bool capture_screen(const RECT& screen, RgbImage* image) {
  const int w = screen.right - screen.left, h = screen.bottom - screen.top;
  if (w <= 0 || h <= 0) return false;
  Capture capture(w, h);
  if (!capture.copy(screen)) return false;
  image->width = w;
  image->height = h;
  image->rgb.resize(static_cast<size_t>(w) * h * 3);
  const uint8_t* src = capture.bgrx();
  uint8_t* dst = image->rgb.data();
  for (size_t i = 0, n = static_cast<size_t>(w) * h; i < n; ++i, src += 4, dst += 3) {
    dst[0] = src[2];
    dst[1] = src[1];
    dst[2] = src[0];
  }
  return true;
}

bool capture_settled(const RECT& screen, RgbImage* image) {
  constexpr DWORD kQuietMs = 100;  // unchanged this long counts as settled
  RgbImage previous;
  if (!capture_screen(screen, &previous)) return false;
  DWORD since = now_ms();
  bool ok = true;
  wait_until([&] {
    ok = capture_screen(screen, image);
    if (!ok) return true;
    if (image->rgb != previous.rgb) {
      previous = *image;
      since = now_ms();
    }
    return now_ms() - since >= kQuietMs;
  });
  return ok;
}

bool save_png(const std::wstring& path, const RgbImage& image) {
  if (image.width <= 0 || image.height <= 0 ||
      image.rgb.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 3)
    return false;
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (!f) return false;
  struct Out {
    FILE* file;
    bool written;
  } out{f, true};
  const auto write = [](void* context, void* data, int size) {
    Out& o = *static_cast<Out*>(context);
    o.written = o.written && std::fwrite(data, 1, static_cast<size_t>(size), o.file) == static_cast<size_t>(size);
  };
  const bool encoded =
      stbi_write_png_to_func(write, &out, image.width, image.height, 3, image.rgb.data(), image.width * 3) != 0;
  return std::fclose(f) == 0 && encoded && out.written;
}

bool load_png(const std::wstring& path, RgbImage* image) {
  FILE* f = _wfopen(path.c_str(), L"rb");
  std::vector<unsigned char> bytes(1 << 20);  // the README's pictures are a few kilobytes
  const size_t n = f ? std::fread(bytes.data(), 1, bytes.size(), f) : 0;
  if (f) std::fclose(f);
  int channels = 0;
  stbi_uc* rgb = stbi_load_from_memory(bytes.data(), static_cast<int>(n), &image->width, &image->height, &channels, 3);
  if (rgb) image->rgb.assign(rgb, rgb + static_cast<size_t>(image->width) * static_cast<size_t>(image->height) * 3);
  stbi_image_free(rgb);
  return rgb != nullptr;
}

bool save_window_shot(HWND w, const std::wstring& path) {
  RgbImage image;
  return capture_settled(screen_rect(w), &image) && save_png(path, image);
}

bool save_desktop_shot(const std::wstring& path) {
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RgbImage image;
  return capture_settled(screen, &image) && save_png(path, image);
}

}  // namespace drv
