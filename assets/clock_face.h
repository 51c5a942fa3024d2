// The program's icon picture: a round clock face with a blue rim, showing
// three o'clock, drawn for one pixel size. Small sizes drop the details that
// would only blur (tick marks below 32 pixels, second hand and shadow below
// 48) and keep the hands at least two pixels wide.
#pragma once

#include "canvas.h"

namespace assets {

Picture draw_clock_face(int size);

}  // namespace assets
