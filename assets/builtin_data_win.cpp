#include "builtin_data_win.h"

#include <windows.h>

namespace assets {
namespace {

// LockResource only turns the loaded resource into its address inside the
// image; no memory is allocated and nothing needs freeing.
const void* find_block(const wchar_t* name) {
  const HMODULE exe = GetModuleHandleW(nullptr);
  const HRSRC found = FindResourceW(exe, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (!found) return nullptr;
  const HGLOBAL loaded = LoadResource(exe, found);
  return loaded ? LockResource(loaded) : nullptr;
}

}  // namespace

const void* alarm_sound_block() { return find_block(L"ALARM_SOUND"); }

const void* tray_icon_block() { return find_block(L"TRAY_ICON"); }

}  // namespace assets
