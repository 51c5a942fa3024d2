#include "layouts.h"

#include "confirm_window.h"
#include "main_window.h"

namespace layouts {

const rt::WindowDef* const kAll[] = {&main_window::kLayout, &confirm_window::kLayout};
const int kCount = sizeof kAll / sizeof kAll[0];

}  // namespace layouts
