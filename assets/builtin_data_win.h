// The built-in data embedded in timer.exe. Each block (dimension count,
// length, bytes) is a resource of the exe, read where the loader mapped it:
// nothing is copied or read at start-up, and the runtime treats the whole
// image as constant data that is never released.
#pragma once

namespace assets {

// The alarm sound, a complete RIFF WAVE file; null if it is missing.
const void* alarm_sound_block();

// The tray icon image, a complete ICO file; null if it is missing.
const void* tray_icon_block();

// The icon group of the exe and its windows, for LoadImageW.
inline constexpr const wchar_t* kDefaultIconName = L"DEFAULT_ICON";

}  // namespace assets
