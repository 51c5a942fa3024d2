#include "byte_block.h"

namespace assets {

Bytes wrap_as_block(const Bytes& file) {
  Bytes out;
  out.reserve(8 + file.size());
  put_u32(out, 1);
  put_u32(out, static_cast<uint32_t>(file.size()));
  out.insert(out.end(), file.begin(), file.end());
  return out;
}

}  // namespace assets
