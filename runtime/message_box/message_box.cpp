#include "message_box.h"

#include "convert.h"
#include "datetime_text.h"
#include "service.h"

namespace rt {
namespace {

ShowBox g_show = nullptr;

void message_box_service(Result& r, int n, const Arg* args) {
  const std::string text = box_text(arg_at(n, args, 0));
  const std::string caption = box_caption(arg_at(n, args, 2));
  const uint32_t style = box_style(to_integer(arg_at(n, args, 1)));
  set_int(r, box_result(g_show ? g_show(text.c_str(), caption.c_str(), style) : 0, style));
}

}  // namespace

const char* const kDefaultBoxCaption = "信息：";

std::string box_text(const Arg& value) {
  if (is_numeric_tag(value.tag) || value.tag == kTagBool) return to_text(value).c_str();
  switch (value.tag) {
    case kTagDateTime:
      return datetime_text(arg_as_double_bits(value));
    case kTagText: {
      const char* text = arg_as_text(value);
      return text ? text : "";
    }
    default:
      return std::string();
  }
}

std::string box_caption(const Arg& caption) { return present(caption) ? box_text(caption) : kDefaultBoxCaption; }

uint32_t box_style(int32_t flags) {
  const uint32_t style = static_cast<uint32_t>(flags);
  return style & kBoxSystemModal ? style : style | kBoxTaskModal;
}

int32_t box_result(int answer, uint32_t style) {
  constexpr int kOk = 1, kCancel = 2, kNo = 7;
  if (answer == kCancel && (style & kBoxButtonsMask) == 0) answer = kOk;
  return answer >= kOk && answer <= kNo ? answer - 1 : 0;
}

void provide_message_box(ShowBox show) {
  g_show = show;
  provide(Service::MessageBox, &message_box_service);
}

}  // namespace rt
