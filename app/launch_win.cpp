#include "launch.h"

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "datetime.h"
#include "gbk_win.h"
#include "main_window.h"
#include "moment.h"
#include "property_rules.h"
#include "schedule_setup.h"
#include "schedule_store_win.h"
#include "services.h"
#include "texts.h"
#include "window_runtime.h"

namespace app {
namespace {

namespace mw = layouts::main_window;
namespace prop = rt::prop;

constexpr svc::WindowRef kMainWindow{mw::kWindow, mw::kOwn};

StartRequest g_request;
rt::store::ScheduleRecord g_kept;  // Resume: the record taken over

// The arguments after the program's name, as GBK; the code page is
// Windows' boundary, so a character it cannot show is marked here.
std::vector<Argument> arguments() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<Argument> args;
  for (int i = 1; argv && i < argc; ++i) {
    Argument a;
    a.lossy = !rt::to_gbk_exactly(argv[i], a.gbk);
    args.push_back(std::move(a));
  }
  LocalFree(argv);
  return args;
}

LocalMoment fields_of(double datetime) {
  const rt::CalendarFields f = rt::calendar_fields(datetime);
  return LocalMoment{f.year, f.month, f.day, f.hour, f.minute, f.second};
}

void tell(const std::string& text, const char* caption) {
  svc::message_box(text.c_str(), svc::kBoxInformation, caption);
}

// /in: the moment that many seconds from now, as the clock will read it.
LocalMoment moment_in(int64_t seconds) {
  return fields_of(svc::to_local_time(rt::add_seconds(svc::universal_clock(), static_cast<double>(seconds))));
}

// The boxes as the user would fill them, then 定时.
void start_as_asked() {
  const StartRequest& r = g_request;
  const rt::Text hour = svc::to_text(r.at.hour), minute = svc::to_text(r.at.minute),
                 second = svc::to_text(r.at.second);
  schedule::fill_boxes({0, r.shut_down, r.music, r.remind, r.reminder.c_str(),
                        rt::build_datetime(r.at.year, r.at.month, r.at.day, 0, 0, 0), hour.c_str(), minute.c_str(),
                        second.c_str()});
  schedule::on_schedule_button();
}

// A start in the tray tells what it set, where the user looks for it.
void tell_in_the_tray() {
  const rt::Text when = svc::datetime_text(svc::to_local_time(schedule::moment()));
  const rt::Text text = schedule::join_texts({"已定时：", when.get()});
  svc::show_tray_balloon(kMainWindow, "定时器", text.c_str());
}

}  // namespace

int prepare_launch() {
  g_request = read_command_line(arguments());
  if (g_request.kind == StartRequest::Kind::Schedule) {
    if (g_request.by_duration) {
      g_request.at = moment_in(g_request.in_seconds);
    } else {
      resolve_at(g_request, fields_of(svc::now()));
    }
  }
  switch (g_request.kind) {
    case StartRequest::Kind::Help:
      tell(usage_text(), "定时器");
      return 0;
    case StartRequest::Kind::Error:
      tell(g_request.error + "\r\n\r\n" + usage_text(), "提示");
      return kBadArguments;
    case StartRequest::Kind::Resume: {
      const rt::store::Claimed claimed = rt::store::claim_record(g_request.resume_id);
      if (claimed.claim == rt::store::Claim::OwnedElsewhere) return 0;  // it counts in another program
      if (claimed.claim == rt::store::Claim::Unreadable) {
        tell("无法恢复上次的定时：它的记录已不存在或已损坏，已将其删除。", "提示");
        g_request = StartRequest{};
        return -1;
      }
      g_kept = claimed.record;
      return -1;
    }
    default:
      return -1;
  }
}

void carry_out_launch() {
  switch (g_request.kind) {
    case StartRequest::Kind::Resume: {
      const rt::store::ScheduleRecord& k = g_kept;
      schedule::resume_schedule({k.moment, k.shut_down, k.music, k.remind, k.reminder.c_str(), k.date, k.hour.c_str(),
                                 k.minute.c_str(), k.second.c_str()});
      return;
    }
    case StartRequest::Kind::Schedule:
      start_as_asked();
      break;
    default:
      break;
  }
  if (!g_request.hide) return;
  rt::put_int(mw::kWindow, mw::kOwn, prop::kVisible, 0);
  if (rt::get_int(mw::kWindow, mw::时钟2, prop::kInterval) != 0) tell_in_the_tray();
}

}  // namespace app
