// The built-in data as a binary linked with the resources sees it: blocks
// that lie inside the mapped image with their exact lengths and headers, and
// icons that Windows can make from both the block and the icon group.
#include "builtin_data_win.h"

#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

struct Block {
  uint32_t dimensions;
  uint32_t length;
  const uint8_t* bytes;
};

Block open_block(const void* p) {
  const auto* words = static_cast<const uint32_t*>(p);
  return {words[0], words[1], static_cast<const uint8_t*>(p) + 8};
}

uint32_t u16(const uint8_t* p) { return p[0] | p[1] << 8; }
uint32_t u32(const uint8_t* p) { return u16(p) | u16(p + 2) << 16; }

DWORD resource_size(const wchar_t* name, const wchar_t* type) {
  const HRSRC r = FindResourceW(GetModuleHandleW(nullptr), name, type);
  return r ? SizeofResource(GetModuleHandleW(nullptr), r) : 0;
}

// Width of an icon's colour bitmap, or 0 without an icon; destroys it.
int icon_width(HICON icon) {
  if (!icon) return 0;
  ICONINFO info{};
  BITMAP bm{};
  if (GetIconInfo(icon, &info)) {
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
  DestroyIcon(icon);
  return bm.bmWidth;
}

TEST(BuiltinData, BlocksLieInsideTheMappedImage) {
  const auto* base = reinterpret_cast<const uint8_t*>(GetModuleHandleW(nullptr));
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  for (const void* block : {assets::alarm_sound_block(), assets::tray_icon_block()}) {
    ASSERT_NE(block, nullptr);
    const auto* p = static_cast<const uint8_t*>(block);
    EXPECT_GE(p, base);
    EXPECT_LE(p + 8 + open_block(block).length, base + nt->OptionalHeader.SizeOfImage);
  }
  EXPECT_EQ(assets::alarm_sound_block(), assets::alarm_sound_block()) << "never a fresh copy";
}

// Pages of [begin, begin + size) that are in the process's working set.
size_t resident_pages(const uint8_t* begin, size_t size) {
  const size_t page = 4096, first = reinterpret_cast<uintptr_t>(begin) / page;
  const size_t count = (reinterpret_cast<uintptr_t>(begin) + size + page - 1) / page - first;
  std::vector<PSAPI_WORKING_SET_EX_INFORMATION> pages(count);
  for (size_t i = 0; i < count; ++i) pages[i].VirtualAddress = reinterpret_cast<void*>((first + i) * page);
  if (!QueryWorkingSetEx(GetCurrentProcess(), pages.data(), static_cast<DWORD>(count * sizeof pages[0]))) return count;
  size_t resident = 0;
  for (const auto& p : pages) resident += p.VirtualAttributes.Valid;
  return resident;
}

// The 5 MB sound is mapped from the exe, not copied: until it is played it
// costs the program no memory. Reading the resource directory and the tray
// icon's block beside the sound brings in neighbouring pages as well (the
// kernel also maps pages of the file already in its cache around each page
// read, so the count varies from run to run); a copy would hold every page.
TEST(BuiltinData, TheAlarmSoundTakesNoMemoryUntilItIsRead) {
  const Block b = open_block(assets::alarm_sound_block());
  const size_t pages = (b.length + 4095) / 4096;
  EXPECT_LT(resident_pages(b.bytes, b.length), pages / 4);
  unsigned sum = 0;
  for (size_t i = 0; i < b.length; i += 4096) sum += b.bytes[i];
  EXPECT_GE(resident_pages(b.bytes, b.length), pages - 1) << "read, it is there (sum " << sum << ")";
}

TEST(BuiltinData, AlarmSoundBlockHoldsTheWholeWaveFile) {
  const Block b = open_block(assets::alarm_sound_block());
  EXPECT_EQ(b.dimensions, 1u);
  ASSERT_EQ(b.length, 5'116'388u);
  EXPECT_EQ(resource_size(L"ALARM_SOUND", MAKEINTRESOURCEW(10)), 8 + b.length);
  EXPECT_EQ(std::memcmp(b.bytes, "RIFF", 4), 0);
  EXPECT_EQ(u32(b.bytes + 4), 5'116'380u);
  EXPECT_EQ(std::memcmp(b.bytes + 8, "WAVEfmt ", 8), 0);
  EXPECT_EQ(std::memcmp(b.bytes + 38, "LIST", 4), 0);
  EXPECT_EQ(std::memcmp(b.bytes + 72, "data", 4), 0);
  EXPECT_EQ(u32(b.bytes + 76), 5'116'308u);
}

TEST(BuiltinData, TrayIconBlockHoldsTheWholeIcoFile) {
  const Block b = open_block(assets::tray_icon_block());
  EXPECT_EQ(b.dimensions, 1u);
  ASSERT_EQ(b.length, 81'702u);
  EXPECT_EQ(resource_size(L"TRAY_ICON", MAKEINTRESOURCEW(10)), 8 + b.length);
  EXPECT_EQ(u16(b.bytes), 0u);
  EXPECT_EQ(u16(b.bytes + 2), 1u);
  ASSERT_EQ(u16(b.bytes + 4), 4u);
  const uint8_t* last = b.bytes + 6 + 3 * 16;
  EXPECT_EQ(u32(last + 12) + u32(last + 8), b.length);
}

// Each image, handed over the way the tray icon service does it (the bytes
// of one directory entry, sized from the image's own header).
TEST(BuiltinData, TrayIconBlockMakesAnIconOfEveryImage) {
  const Block b = open_block(assets::tray_icon_block());
  ASSERT_EQ(u16(b.bytes + 4), 4u);
  for (int i = 0; i < 4; ++i) {
    const uint8_t* entry = b.bytes + 6 + 16 * i;
    const uint8_t* image = b.bytes + u32(entry + 12);
    const int width = static_cast<int>(u32(image + 4));
    const int height = static_cast<int32_t>(u32(image + 8)) / 2;
    const HICON icon = CreateIconFromResourceEx(const_cast<uint8_t*>(image), u32(entry + 8), TRUE, 0x00030000,
                                                width, height, 0);
    EXPECT_EQ(icon_width(icon), entry[0]) << "image " << i;
  }
}

TEST(BuiltinData, DefaultIconGroupGivesAnIconAtEverySize) {
  const HMODULE exe = GetModuleHandleW(nullptr);
  for (int n : {16, 32, 48, 128}) {
    EXPECT_EQ(icon_width(static_cast<HICON>(LoadImageW(exe, assets::kDefaultIconName, IMAGE_ICON, n, n, 0))), n);
  }
  const HRSRC group = FindResourceW(exe, assets::kDefaultIconName, MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
  ASSERT_NE(group, nullptr);
  auto* dir = static_cast<BYTE*>(LockResource(LoadResource(exe, group)));
  ASSERT_NE(dir, nullptr);
  EXPECT_EQ(u16(dir + 4), 4u);
  const int id = LookupIconIdFromDirectoryEx(dir, TRUE, 16, 16, 0);
  const HRSRC image = FindResourceW(exe, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3));  // RT_ICON
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(SizeofResource(exe, image), 1'128u);
  const HICON icon = CreateIconFromResourceEx(static_cast<BYTE*>(LockResource(LoadResource(exe, image))),
                                              SizeofResource(exe, image), TRUE, 0x00030000, 16, 16, 0);
  EXPECT_EQ(icon_width(icon), 16);
}

}  // namespace
