// The icon a tray shows, made from ICO data: the picked image first for a
// 16-pixel preference, then for 32.
#pragma once

#include <cstddef>

#include "value.h"
#include "win_handle.h"

namespace tray {

// The icon made from an ICO file image; empty when the data holds no image
// that Windows can turn into an icon.
rt::UniqueIcon make_tray_icon(const unsigned char* data, std::size_t size);

// The icon named by the service's data argument: a byte block holding an ICO
// file image, or a text naming an icon file, which is read whole first.
// Anything else, and data that makes no icon, gives an empty owner.
rt::UniqueIcon tray_icon_from_arg(const rt::Arg& data);

}  // namespace tray
