#include "datetime_text.h"

#include <cstring>

#include "datetime.h"
#include "halfwidth.h"
#include "number_text.h"

namespace rt {
namespace {

// How each of the six numbers of a date-time text is read.
struct FieldSyntax {
  int max_digits;
  const char* marks;  // one-byte separators
  const char* word;   // the field's own separator character
};

constexpr FieldSyntax kFieldSyntax[6] = {
    {4, "/-:.", "年"}, {2, "/-:.", "月"}, {2, "/-:. ", "日"},
    {2, "/-:.", "时"}, {2, "/-:.", "分"}, {2, "", "秒"},
};

bool starts_with(const char* p, const char* word) { return std::strncmp(p, word, std::strlen(word)) == 0; }

// A run of ASCII digits, at most `max_digits` long; no digits read as 0.
int read_number(const char*& p, int max_digits) {
  int value = 0;
  for (int i = 0; i < max_digits && *p >= '0' && *p <= '9'; ++i, ++p) value = value * 10 + (*p - '0');
  return value;
}

// Skips one separator if one is next; anything else is left for the next
// number.
void skip_separator(const char*& p, const FieldSyntax& syntax) {
  if (*p != '\0' && std::strchr(syntax.marks, *p)) {
    ++p;
  } else if (starts_with(p, syntax.word)) {
    p += std::strlen(syntax.word);
  }
}

}  // namespace

std::string datetime_text(double value) {
  const CalendarFields f = calendar_fields(value);
  std::string text = format_int(f.year) + "年" + format_int(f.month) + "月" + format_int(f.day) + "日";
  if (f.second != 0) {
    text += format_int(f.hour) + "时" + format_int(f.minute) + "分" + format_int(f.second) + "秒";
  } else if (f.minute != 0) {
    text += format_int(f.hour) + "时" + format_int(f.minute) + "分";
  } else if (f.hour != 0) {
    text += format_int(f.hour) + "时";
  }
  return text;
}

double read_datetime(const char* text) {
  const std::string normal = halfwidth(text);
  if (normal.empty()) return kEmptyDateTime;
  const char* p = normal.c_str();
  int n[6];
  for (int i = 0; i < 6; ++i) {
    n[i] = read_number(p, kFieldSyntax[i].max_digits);
    if (i < 5) skip_separator(p, kFieldSyntax[i]);
  }
  // Whatever follows a final 秒 is ignored; anything else spoils the text.
  if (*p != '\0' && !starts_with(p, kFieldSyntax[5].word)) return kEmptyDateTime;
  if (!fields_are_valid(n[0], n[1], n[2], n[3], n[4], n[5])) return kEmptyDateTime;
  return build_datetime(n[0], n[1], n[2], n[3], n[4], n[5]);
}

}  // namespace rt
