// Comparing and joining the GBK texts the handlers work with. A null text is
// the empty text.
#pragma once

#include <initializer_list>

#include "owned.h"

namespace schedule {

// Byte by byte up to the terminating zero.
bool texts_equal(const char* a, const char* b);

// The pieces one after the other, in a block of the runtime's heap (null
// when the result is empty). Null pieces add nothing.
rt::Text join_texts(std::initializer_list<const char*> pieces);

}  // namespace schedule
