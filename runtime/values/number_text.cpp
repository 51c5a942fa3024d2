#include "number_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace rt {

std::string format_int(int64_t v) {
  const uint64_t magnitude = v < 0 ? 0u - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
  std::string s = format_uint(magnitude);
  return v < 0 ? "-" + s : s;
}

std::string format_uint(uint64_t v) {
  char buf[24];
  char* p = buf + sizeof buf;
  do {
    *--p = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v);
  return std::string(p, buf + sizeof buf);
}

namespace {

// Drops trailing zeros of a digit string, keeping at least one digit.
std::string trim_zeros(std::string digits) {
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  return digits;
}

}  // namespace

std::string format_g(double v, int precision) {
  if (precision < 1) precision = 1;
  if (precision > 17) precision = 17;
  const bool negative = std::signbit(v);
  const std::string sign = negative ? "-" : "";
  if (std::isnan(v)) return negative ? "-1.#IND" : "1.#QNAN";
  if (std::isinf(v)) return sign + "1.#INF";
  if (v == 0.0) return sign + "0";

  // The C library rounds the value to `precision` significant digits
  // correctly; only its digits and its exponent are used, never its layout.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", precision - 1, std::fabs(v));
  std::string digits;
  const char* p = buf;
  for (; *p && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') digits += *p;
  const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;

  if (exponent < -4 || exponent >= precision) {
    const std::string d = trim_zeros(digits);
    std::string s = sign + d.substr(0, 1);
    if (d.size() > 1) s += "." + d.substr(1);
    std::string e = format_uint(static_cast<uint64_t>(std::abs(exponent)));
    while (e.size() < 3) e.insert(e.begin(), '0');
    return s + (exponent < 0 ? "e-" : "e+") + e;
  }
  if (exponent >= 0) {
    const std::string whole = digits.substr(0, exponent + 1);
    std::string fraction = digits.substr(exponent + 1);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    return sign + whole + (fraction.empty() ? "" : "." + fraction);
  }
  std::string fraction = std::string(-exponent - 1, '0') + digits;
  while (fraction.back() == '0') fraction.pop_back();
  return sign + "0." + fraction;
}

}  // namespace rt
