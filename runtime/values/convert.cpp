#include "convert.h"

#include <cmath>
#include <cstring>

#include "halfwidth.h"
#include "number_text.h"
#include "service.h"

namespace rt {
namespace {

DateTimeFormatter g_datetime_formatter = nullptr;

float float_of(const Arg& a) {
  float f;
  std::memcpy(&f, &a.low, sizeof f);
  return f;
}

// Bytes of a block up to its first zero byte, or all of them.
Text block_text(const void* block) {
  const BlockView v = view_block(block);
  if (!v.data) return Text();
  const void* zero = std::memchr(v.data, 0, v.size);
  const std::size_t n = zero ? static_cast<const unsigned char*>(zero) - v.data : v.size;
  return Text::copy(std::string_view(reinterpret_cast<const char*>(v.data), n));
}

}  // namespace

int32_t truncate_to_int32(double v) {
  if (!std::isfinite(v)) return 0;
  double m = std::fmod(std::trunc(v), 4294967296.0);  // exact
  if (m < 0) m += 4294967296.0;
  return static_cast<int32_t>(static_cast<uint32_t>(m));
}

int32_t text_to_integer(const char* text) {
  const std::string s = halfwidth(text);
  const char* p = s.c_str();
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  uint32_t value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) value = value * 10u + static_cast<uint32_t>(*p - '0');
  return static_cast<int32_t>(negative ? 0u - value : value);
}

int32_t to_integer(const Arg& a) {
  switch (a.tag) {
    case kTagInt:
    case kTagLong:
    case kTagBool:
      return static_cast<int32_t>(a.low);
    case kTagByte:
      return static_cast<int32_t>(a.low & 0xFFu);
    case kTagShort:
      return static_cast<int16_t>(a.low & 0xFFFFu);
    case kTagFloat:
      return truncate_to_int32(float_of(a));
    case kTagDouble:
      return truncate_to_int32(arg_as_double_bits(a));
    case kTagText:
      return text_to_integer(arg_as_text(a));
    default:
      return 0;
  }
}

double to_double(const Arg& a) {
  switch (a.tag) {
    case kTagDouble:
    case kTagDateTime:
      return arg_as_double_bits(a);
    case kTagFloat:
      return float_of(a);
    case kTagLong:
      return static_cast<double>(static_cast<int64_t>(words64(a.low, a.high)));
    case kTagInt:
    case kTagByte:
    case kTagShort:
    case kTagBool:
      return to_integer(a);
    default:
      return 0.0;
  }
}

Text to_text(const Arg& a) {
  switch (a.tag) {
    case kTagInt:
    case kTagShort:
      return Text::copy(format_int(to_integer(a)));
    case kTagByte:
      return Text::copy(format_uint(a.low & 0xFFu));
    case kTagLong:
      return Text::copy(format_int(static_cast<int64_t>(words64(a.low, a.high))));
    case kTagDouble:
      return Text::copy(format_g(arg_as_double_bits(a), 13));
    case kTagFloat:
      return Text::copy(format_g(float_of(a), 6));
    case kTagBool:
      return Text::copy(a.low ? "真" : "假");
    case kTagDateTime:
      return g_datetime_formatter ? g_datetime_formatter(arg_as_double_bits(a)) : Text();
    case kTagText: {
      const char* t = arg_as_text(a);
      return Text::copy(t ? t : "");
    }
    case kTagBlock:
      return block_text(arg_as_block(a));
    default:
      return Text();
  }
}

double absolute_value(double v) { return v < 0.0 ? -v : v; }

void set_datetime_formatter(DateTimeFormatter formatter) { g_datetime_formatter = formatter; }

void provide_value_services() {
  provide(Service::ToInteger, [](Result& r, int n, const Arg* args) { set_int(r, to_integer(arg_at(n, args, 0))); });
  provide(Service::ToText, [](Result& r, int n, const Arg* args) { set_pointer(r, to_text(arg_at(n, args, 0)).take()); });
  provide(Service::Absolute, [](Result& r, int n, const Arg* args) {
    set_double(r, absolute_value(to_double(arg_at(n, args, 0))));
  });
}

}  // namespace rt
