// A file wrapped as the runtime's byte block: a 32-bit dimension count (1),
// a 32-bit length, then the bytes. Embedded this way, the program hands a
// pointer to the resource itself to the runtime services.
#pragma once

#include "byte_writer.h"

namespace assets {

Bytes wrap_as_block(const Bytes& file);

}  // namespace assets
