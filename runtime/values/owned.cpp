#include "owned.h"

#include <cstring>

namespace rt {

Text Text::copy(std::string_view s) {
  if (s.empty()) return Text();
  char* p = static_cast<char*>(allocate(static_cast<int32_t>(s.size() + 1)));
  std::memcpy(p, s.data(), s.size());
  p[s.size()] = '\0';
  return Text(p);
}

BlockView view_block(const void* block) {
  if (!block) return {};
  const auto* h = static_cast<const BlockHeader*>(block);
  return BlockView{reinterpret_cast<const unsigned char*>(h + 1), h->length};
}

Block Block::copy(const void* bytes, uint32_t size) {
  auto* h = static_cast<BlockHeader*>(allocate(static_cast<int32_t>(sizeof(BlockHeader) + size)));
  h->dimensions = 1;
  h->length = size;
  if (size) std::memcpy(h + 1, bytes, size);
  return Block(h);
}

}  // namespace rt
