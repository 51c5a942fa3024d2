// The date-time services of the service table.
#include "convert.h"
#include "datetime.h"
#include "datetime_text.h"
#include "service.h"
#include "time_interval.h"

namespace rt {
namespace {

double datetime_arg(int count, const Arg* args, int i) { return datetime_of(arg_at(count, args, i)); }

void to_datetime_service(Result& r, int n, const Arg* args) { set_double(r, datetime_arg(n, args, 0)); }

void now_service(Result& r, int, const Arg*) { set_double(r, now_datetime()); }
void universal_now_service(Result& r, int, const Arg*) { set_double(r, universal_now_datetime()); }

void time_interval_service(Result& r, int n, const Arg* args) {
  set_double(r, time_interval(datetime_arg(n, args, 0), datetime_arg(n, args, 1), to_integer(arg_at(n, args, 2))));
}

void year_of_service(Result& r, int n, const Arg* args) { set_int(r, calendar_fields(datetime_arg(n, args, 0)).year); }
void month_of_service(Result& r, int n, const Arg* args) { set_int(r, calendar_fields(datetime_arg(n, args, 0)).month); }
void day_of_service(Result& r, int n, const Arg* args) { set_int(r, calendar_fields(datetime_arg(n, args, 0)).day); }

Text datetime_text_result(double value) { return Text::copy(datetime_text(value)); }

}  // namespace

void provide_datetime_services() {
  provide(Service::ToDateTime, &to_datetime_service);
  provide(Service::Now, &now_service);
  provide(Service::UniversalNow, &universal_now_service);
  provide(Service::TimeInterval, &time_interval_service);
  provide(Service::YearOf, &year_of_service);
  provide(Service::MonthOf, &month_of_service);
  provide(Service::DayOf, &day_of_service);
  set_datetime_formatter(&datetime_text_result);
}

}  // namespace rt
