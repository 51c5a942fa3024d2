// Each typed service reaches its own entry of the table with the argument
// records the service decodes: the right tags, the unit references by
// window and unit, and the optional arguments omitted.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "service.h"
#include "services.h"

namespace {

using rt::Service;

struct Seen {
  Service service;
  std::vector<rt::Arg> args;
};
std::vector<Seen> g_seen;

template <Service S>
void record(rt::Result& r, int count, const rt::Arg* args) {
  g_seen.push_back({S, std::vector<rt::Arg>(args, args + count)});
  r = rt::Result{};
}

constexpr uint32_t kWin = 0x52010001, kOwn = 0x06010000, kUnit = 0x16010005;
const char kText[] = "文字";
const unsigned char kBlock[8] = {};

uint32_t low_of(const void* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); }

struct Case {
  const char* name;
  std::function<void()> run;
  Service service;
  std::vector<rt::Arg> args;  // for pointers only the tag and the low word count
};

TEST(TypedServices, PassTheArgumentRecordsTheirServiceDecodes) {
  const double kTwo = 2.0;
  const rt::Arg two = rt::arg_double(kTwo);
  const rt::Arg two_dt = rt::arg_datetime(kTwo);
  const rt::Arg text{low_of(kText), 0, rt::kTagText};
  const rt::Arg block{low_of(kBlock), 0, rt::kTagBlock};
  const svc::WindowRef win{kWin, kOwn};
  const std::vector<Case> cases = {
      {"to_integer", [&] { svc::to_integer(kText); }, Service::ToInteger, {text}},
      {"to_text int", [&] { svc::to_text(int32_t{-3}); }, Service::ToText, {rt::arg_int(-3)}},
      {"to_text double", [&] { svc::to_text(kTwo); }, Service::ToText, {two}},
      {"datetime_text", [&] { svc::datetime_text(kTwo); }, Service::ToText, {two_dt}},
      {"absolute", [&] { svc::absolute(kTwo); }, Service::Absolute, {two}},
      {"now", [&] { svc::now(); }, Service::Now, {}},
      {"to_datetime", [&] { svc::to_datetime(kText); }, Service::ToDateTime, {text}},
      {"time_interval", [&] { svc::time_interval(kTwo, kTwo, svc::Interval::Second); }, Service::TimeInterval,
       {two_dt, two_dt, rt::arg_int(8)}},
      {"days", [&] { svc::time_interval(kTwo, kTwo, svc::Interval::Day); }, Service::TimeInterval,
       {two_dt, two_dt, rt::arg_int(5)}},
      {"universal_now", [&] { svc::universal_now(); }, Service::UniversalNow, {}},
      {"to_universal_time", [&] { svc::to_universal_time(kTwo, kTwo); }, Service::ToUniversalTime, {two_dt, two_dt}},
      {"year_of", [&] { svc::year_of(kTwo); }, Service::YearOf, {two_dt}},
      {"month_of", [&] { svc::month_of(kTwo); }, Service::MonthOf, {two_dt}},
      {"day_of", [&] { svc::day_of(kTwo); }, Service::DayOf, {two_dt}},
      {"message_box", [&] { svc::message_box(kText, svc::kBoxInformation | svc::kBoxTopmost, kText); },
       Service::MessageBox, {text, rt::arg_int(0x40040), text}},
      {"load_window", [&] { svc::load_window(win, true); }, Service::LoadWindow,
       {rt::Arg{kWin, kOwn, 0x00010001}, rt::omitted(), rt::arg_bool(true)}},
      {"destroy", [&] { svc::destroy(win); }, Service::Destroy, {rt::Arg{kWin, kOwn, 0x00010001}, rt::omitted()}},
      {"add_item", [&] { svc::add_item({kWin, kUnit}, kText); }, Service::AddItem,
       {rt::Arg{kWin, kUnit, 0x0001000E}, text, rt::omitted()}},
      {"visual_style", [&] { svc::visual_style(svc::Look::Scheme1); }, Service::VisualStyle, {rt::arg_int(1)}},
      {"pop_up_menu", [&] { svc::pop_up_menu(win, {kWin, 0x26010007}); }, Service::PopupMenu,
       {rt::Arg{kWin, kOwn, 0x00010001}, rt::Arg{kWin, 0x26010007, 0x00010003}, rt::omitted(), rt::omitted()}},
      {"set_tray_icon", [&] { svc::set_tray_icon(win, kBlock, kText); }, Service::SetTrayIcon,
       {rt::Arg{kWin, kOwn, 0x00010001}, block, text}},
      {"play_sound", [&] { svc::play_sound(kBlock); }, Service::PlaySound, {block, rt::omitted()}},
      {"stop_sound", [&] { svc::stop_sound(); }, Service::StopSound, {}},
      {"shut_down_system", [&] { svc::shut_down_system(svc::Shutdown::PowerOff, true); }, Service::ShutdownSystem,
       {rt::arg_int(1), rt::arg_bool(true)}},
  };
  std::vector<std::unique_ptr<rt::ServiceOverride>> fakes;
#define FAKE(S) fakes.push_back(std::make_unique<rt::ServiceOverride>(Service::S, &record<Service::S>))
  FAKE(ToInteger); FAKE(ToText); FAKE(Absolute); FAKE(Now); FAKE(ToDateTime); FAKE(TimeInterval); FAKE(UniversalNow); FAKE(ToUniversalTime);
  FAKE(YearOf); FAKE(MonthOf); FAKE(DayOf); FAKE(MessageBox); FAKE(LoadWindow); FAKE(Destroy);
  FAKE(AddItem); FAKE(VisualStyle); FAKE(PopupMenu); FAKE(SetTrayIcon); FAKE(PlaySound); FAKE(StopSound);
  FAKE(ShutdownSystem);
#undef FAKE
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    g_seen.clear();
    c.run();
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(g_seen[0].service, c.service);
    ASSERT_EQ(g_seen[0].args.size(), c.args.size());
    for (size_t i = 0; i < c.args.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(g_seen[0].args[i].tag, c.args[i].tag);
      EXPECT_EQ(g_seen[0].args[i].low, c.args[i].low);
      if (c.args[i].tag != rt::kTagText && c.args[i].tag != rt::kTagBlock) {
        EXPECT_EQ(g_seen[0].args[i].high, c.args[i].high);
      }
    }
  }
}

}  // namespace
