#include "service.h"

#include <string>

#include "fatal.h"
#include "number_text.h"

namespace rt {
namespace {

ServiceFn g_table[static_cast<int>(Service::Count)] = {};

bool valid(Service s) { return static_cast<int>(s) >= 0 && s < Service::Count; }

}  // namespace

ServiceFn provide(Service service, ServiceFn fn) {
  if (!valid(service)) return nullptr;
  ServiceFn old = g_table[static_cast<int>(service)];
  g_table[static_cast<int>(service)] = fn;
  return old;
}

Result call_n(Service service, int count, const Arg* args) {
  Result result{};
  ServiceFn fn = valid(service) ? g_table[static_cast<int>(service)] : nullptr;
  if (!fn) {
    const std::string message = "调用了未提供的运行时服务 " + format_int(static_cast<int>(service));
    fatal_error(message.c_str());
  }
  fn(result, count, args);
  return result;
}

Result call(Service service, std::initializer_list<Arg> args) {
  return call_n(service, static_cast<int>(args.size()), args.begin());
}

}  // namespace rt
