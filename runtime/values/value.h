// Tagged values: the argument and result records of every runtime service.
#pragma once

#include <cstdint>
#include <cstring>

namespace rt {

// The tag word of an argument names its kind.
enum Tag : uint32_t {
  kTagOmitted   = 0,
  kTagByte      = 0x80000101,
  kTagShort     = 0x80000201,
  kTagInt       = 0x80000301,
  kTagLong      = 0x80000401,
  kTagFloat     = 0x80000501,
  kTagDouble    = 0x80000601,
  kTagBool      = 0x80000002,
  kTagDateTime  = 0x80000003,
  kTagText      = 0x80000004,
  kTagBlock     = 0x80000005,
  kTagWindowRef = 0x00010001,
  kTagMenuRef   = 0x00010003,
  kTagComboRef  = 0x0001000E,
};

// A unit reference tag is 0x00010000 + class number + 1.
constexpr uint32_t unit_ref_tag(uint32_t class_number) { return 0x00010000u + class_number + 1u; }

// Numeric kinds have the top two bits 1 and 0 and the lowest byte 0x01.
constexpr bool is_numeric_tag(uint32_t tag) {
  return (tag & 0xC0000000u) == 0x80000000u && (tag & 0xFFu) == 0x01u;
}

// Three 32-bit words: a 32-bit payload sits in `low` with `high` 0, a 64-bit
// payload is split little-endian, a reference sits in `low`.
struct Arg {
  uint32_t low;
  uint32_t high;
  uint32_t tag;
};
static_assert(sizeof(Arg) == 12, "an argument record is three words");

// Set to zero by every call before the service runs; the caller reads
// the first two words.
struct Result {
  uint32_t word[3];
};
static_assert(sizeof(Result) == 12, "a result record is three words");

// ---- references --------------------------------------------------------
// In the 32-bit program a reference fills the low word and the high word stays
// 0. The host build used for the sanitizer tests has 64-bit pointers, so there
// the upper half of a reference goes into the high word.
inline void put_pointer(const void* p, uint32_t& low, uint32_t& high) {
  const uintptr_t v = reinterpret_cast<uintptr_t>(p);
  low = static_cast<uint32_t>(v);
  high = sizeof(uintptr_t) > 4 ? static_cast<uint32_t>(static_cast<uint64_t>(v) >> 32) : 0u;
}
inline const void* get_pointer(uint32_t low, uint32_t high) {
  uint64_t v = low;
  if (sizeof(uintptr_t) > 4) v |= static_cast<uint64_t>(high) << 32;
  return reinterpret_cast<const void*>(static_cast<uintptr_t>(v));
}

inline uint64_t words64(uint32_t low, uint32_t high) {
  return static_cast<uint64_t>(low) | (static_cast<uint64_t>(high) << 32);
}
inline double bits_to_double(uint64_t bits) {
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}
inline uint64_t double_to_bits(double d) {
  uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  return bits;
}

// ---- argument builders -------------------------------------------------
constexpr Arg omitted() { return Arg{0, 0, kTagOmitted}; }
constexpr Arg arg_int(int32_t v) { return Arg{static_cast<uint32_t>(v), 0, kTagInt}; }
constexpr Arg arg_short(int16_t v) { return Arg{static_cast<uint32_t>(static_cast<uint16_t>(v)), 0, kTagShort}; }
constexpr Arg arg_byte(uint8_t v) { return Arg{v, 0, kTagByte}; }
constexpr Arg arg_bool(bool v) { return Arg{v ? 1u : 0u, 0, kTagBool}; }
constexpr Arg arg_long(int64_t v) {
  return Arg{static_cast<uint32_t>(static_cast<uint64_t>(v)), static_cast<uint32_t>(static_cast<uint64_t>(v) >> 32), kTagLong};
}
inline Arg arg_64(double v, uint32_t tag) {
  const uint64_t b = double_to_bits(v);
  return Arg{static_cast<uint32_t>(b), static_cast<uint32_t>(b >> 32), tag};
}
inline Arg arg_double(double v) { return arg_64(v, kTagDouble); }
inline Arg arg_datetime(double v) { return arg_64(v, kTagDateTime); }
inline Arg arg_float(float v) {
  uint32_t b;
  std::memcpy(&b, &v, sizeof b);
  return Arg{b, 0, kTagFloat};
}
inline Arg arg_pointer(const void* p, uint32_t tag) {
  Arg a{0, 0, tag};
  put_pointer(p, a.low, a.high);
  return a;
}
inline Arg arg_text(const char* text) { return arg_pointer(text, kTagText); }
inline Arg arg_block(const void* block) { return arg_pointer(block, kTagBlock); }
constexpr Arg arg_unit(uint32_t tag, uint32_t window_id, uint32_t unit_id) { return Arg{window_id, unit_id, tag}; }

// ---- reading arguments -------------------------------------------------
inline bool present(const Arg& a) { return a.tag != kTagOmitted; }
inline int32_t low_int(const Arg& a) { return static_cast<int32_t>(a.low); }
inline double arg_as_double_bits(const Arg& a) { return bits_to_double(words64(a.low, a.high)); }
inline const char* arg_as_text(const Arg& a) { return static_cast<const char*>(get_pointer(a.low, a.high)); }
inline const void* arg_as_block(const Arg& a) { return get_pointer(a.low, a.high); }

// ---- writing results ---------------------------------------------------
inline void set_int(Result& r, int32_t v) { r.word[0] = static_cast<uint32_t>(v); }
inline void set_bool(Result& r, bool v) { r.word[0] = v ? 1u : 0u; }
inline void set_double(Result& r, double v) {
  const uint64_t b = double_to_bits(v);
  r.word[0] = static_cast<uint32_t>(b);
  r.word[1] = static_cast<uint32_t>(b >> 32);
}
inline void set_pointer(Result& r, const void* p) { put_pointer(p, r.word[0], r.word[1]); }

}  // namespace rt
