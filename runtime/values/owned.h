// Owners for the texts and byte blocks of the runtime heap. A service result
// or a property text is adopted once and released exactly once.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>

#include "heap.h"

namespace rt {

// A GBK text owned by the holder; null stands for the empty text.
class Text {
 public:
  Text() = default;
  static Text adopt(char* p) { return Text(p); }
  static Text adopt(const void* p) { return Text(static_cast<char*>(const_cast<void*>(p))); }
  // A new heap copy of `s`; the empty text gives null.
  static Text copy(std::string_view s);

  Text(Text&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  Text& operator=(Text&& other) noexcept {
    if (this != &other) reset(std::exchange(other.p_, nullptr));
    return *this;
  }
  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;
  ~Text() { release(p_); }

  const char* get() const { return p_; }            // may be null
  const char* c_str() const { return p_ ? p_ : ""; }  // never null
  std::string_view view() const { return c_str(); }
  bool empty() const { return !p_ || !*p_; }
  // Hands the block on (into a result record); the holder becomes empty.
  char* take() { return std::exchange(p_, nullptr); }
  void reset(char* p = nullptr) {
    release(p_);
    p_ = p;
  }

 private:
  explicit Text(char* p) : p_(p) {}
  char* p_ = nullptr;
};

// The layout of a byte block: dimension count, length, then the bytes.
struct BlockHeader {
  uint32_t dimensions;
  uint32_t length;
};

// Read-only view of a block's bytes; a null block is empty.
struct BlockView {
  const unsigned char* data = nullptr;
  uint32_t size = 0;
};
BlockView view_block(const void* block);

// A byte block owned by the holder.
class Block {
 public:
  Block() = default;
  static Block adopt(void* p) { return Block(static_cast<BlockHeader*>(p)); }
  static Block copy(const void* bytes, uint32_t size);

  Block(Block&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  Block& operator=(Block&& other) noexcept {
    if (this != &other) {
      release(p_);
      p_ = std::exchange(other.p_, nullptr);
    }
    return *this;
  }
  Block(const Block&) = delete;
  Block& operator=(const Block&) = delete;
  ~Block() { release(p_); }

  const void* get() const { return p_; }
  BlockView view() const { return view_block(p_); }
  void* take() { return std::exchange(p_, nullptr); }

 private:
  explicit Block(BlockHeader* p) : p_(p) {}
  BlockHeader* p_ = nullptr;
};

}  // namespace rt
