#include "window_test_support.h"

#include "start_win.h"

namespace wt {
namespace {

using rt::UnitClass;
using rt::UnitDef;
namespace f = rt::unit_flag;
namespace ev = rt::event;

int32_t logged(const char* what) {
  log().push_back(what);
  return 1;
}

const rt::HandlerEntry kHandlers[] = {
    {"created", [](int, const int32_t*) { return logged("created"); }},
    {"moved",
     [](int, const int32_t*) {
       logged("moved");
       if (hooks().on_moved) hooks().on_moved();
       return 1;
     }},
    {"sized", [](int, const int32_t*) { return logged("sized"); }},
    {"shown",
     [](int, const int32_t*) {
       log().push_back(IsWindowVisible(frame(kA)) ? "shown while visible" : "shown");
       if (hooks().on_shown) hooks().on_shown();
       return 1;
     }},
    {"hidden", [](int, const int32_t*) { return logged("hidden"); }},
    {"close requested",
     [](int, const int32_t*) {
       logged("close requested");
       return hooks().close_requested();
     }},
    {"may close",
     [](int, const int32_t*) {
       logged("may close");
       return hooks().may_close();
     }},
    {"destroying", [](int, const int32_t*) { return logged("destroying"); }},
    {"time changed", [](int, const int32_t*) { return logged("time changed"); }},
    {"session ends",
     [](int n, const int32_t* args) {
       log().push_back("session ends " + std::to_string(n > 0 ? args[0] : -1));
       return 1;
     }},
    {"menu 1", [](int, const int32_t*) { return logged("menu 1"); }},
    {"menu 2", [](int, const int32_t*) { return logged("menu 2"); }},
    {"clicked",
     [](int, const int32_t*) {
       logged("clicked");
       if (hooks().on_click) hooks().on_click();
       return 1;
     }},
    {"tick a",
     [](int, const int32_t*) {
       logged("tick a");
       if (hooks().on_tick_a) hooks().on_tick_a();
       return 1;
     }},
    {"tick b",
     [](int, const int32_t*) {
       logged("tick b");
       if (hooks().on_tick_b) hooks().on_tick_b();
       return 1;
     }},
    {"created b",
     [](int, const int32_t*) {
       logged("created b");
       if (hooks().on_created_b) hooks().on_created_b();
       return 1;
     }},
    {"destroying b", [](int, const int32_t*) { return logged("destroying b"); }},
};

constexpr uint32_t kWindowFlags = f::kVisible | f::kSysMenu | f::kMinimizeBox | f::kEscCloses | f::kShowInTaskbar |
                                  f::kStartCentred;

const UnitDef kUnitsA[] = {
    {kAOwn, "窗口甲", UnitClass::Window, -1, 50, 50, 320, 240, "测试窗口", 0, kWindowFlags, 0,
     {{{ev::kCreated, "created"},
       {ev::kMoved, "moved"},
       {ev::kSized, "sized"},
       {ev::kShown, "shown"},
       {ev::kCloseRequested, "close requested"},
       {ev::kMayClose, "may close"},
       {ev::kDestroying, "destroying"},
       {ev::kTimeChanged, "time changed"},
       {ev::kSessionEnds, "session ends"}}}},
    {kMenu, nullptr, UnitClass::MenuItem, 0, 0, 0, 0, 0, "菜单", 0, 0, 0, {}},
    {kItem1, nullptr, UnitClass::MenuItem, 1, 0, 0, 0, 0, "甲", 0, f::kVisible, 0, {{{0, "menu 1"}}}},
    {kItem2, nullptr, UnitClass::MenuItem, 1, 0, 0, 0, 0, "乙", 0, f::kVisible, 0, {{{0, "menu 2"}}}},
    {kButton, "按钮1", UnitClass::Button, 0, 8, 8, 80, 24, "按钮", 0, f::kVisible | f::kFocusStop, 1,
     {{{ev::kClicked, "clicked"}}}},
    {kTimerA, "时钟1", UnitClass::Timer, 0, 200, 0, 26, 26, nullptr, 0, 0, 0, {{{ev::kTick, "tick a"}}}},
    {kLabel, "标签1", UnitClass::Label, 0, 8, 40, 120, 24, "标签", 0, f::kVisible, 0, {}},
    {kCheck, "选择框1", UnitClass::CheckBox, 0, 8, 70, 80, 24, "选择", 0, f::kVisible | f::kFocusStop, 0, {}},
    {kEdit, "编辑框1", UnitClass::EditBox, 0, 8, 100, 200, 20, "", 0, f::kVisible | f::kFocusStop, 0, {}},
    {kComboEdit, "组合框1", UnitClass::ComboBox, 0, 8, 130, 60, 20, "", 0, f::kVisible | f::kFocusStop, 0, {}},
    {kComboList, "组合框2", UnitClass::ComboBox, 0, 80, 130, 60, 20, "", 0,
     f::kVisible | f::kFocusStop | f::kDropDownList, 0, {}},
    {kDate, "日期框1", UnitClass::DateBox, 0, 150, 130, 120, 22, nullptr, 0, f::kVisible | f::kFocusStop, 0, {}},
};

const UnitDef kUnitsB[] = {
    {kBOwn, "窗口乙", UnitClass::Window, -1, 50, 50, 200, 120, "对话", 0, kWindowFlags, 0,
     {{{ev::kCreated, "created b"}, {ev::kDestroying, "destroying b"}}}},
    {kTimerB, "时钟1", UnitClass::Timer, 0, 0, 0, 26, 26, nullptr, 100, 0, 0, {{{ev::kTick, "tick b"}}}},
    {kButtonB, "按钮1", UnitClass::Button, 0, 8, 8, 80, 24, "关闭", 0, f::kVisible | f::kFocusStop, 0, {}},
};

const rt::WindowDef kWindowA{kA, kUnitsA, sizeof kUnitsA / sizeof kUnitsA[0]};
const rt::WindowDef kWindowB{kB, kUnitsB, sizeof kUnitsB / sizeof kUnitsB[0]};
const rt::WindowDef* const kLayouts[] = {&kWindowA, &kWindowB};

}  // namespace

std::vector<std::string>& log() {
  static std::vector<std::string> entries;
  return entries;
}

Hooks& hooks() {
  static Hooks h;
  return h;
}

void start() {
  rt::start_runtime();
  rt::start_windows(kLayouts, 2, kHandlers, sizeof kHandlers / sizeof kHandlers[0]);
  log().clear();
  hooks() = Hooks();
}

void finish() {
  gui::close_all_windows();
  hooks() = Hooks();
}

HWND control(uint32_t window_id, uint32_t unit_id) {
  rt::win::LoadedWindow* w = rt::win::find_window(window_id);
  rt::win::Unit* u = w ? w->unit(unit_id) : nullptr;
  return u ? u->hwnd : nullptr;
}

std::wstring window_text(HWND w) {
  wchar_t buf[256] = {};
  GetWindowTextW(w, buf, 256);
  return buf;
}

}  // namespace wt
