#include "main_window.h"

#include "handler_names.h"

namespace layouts::main_window {
namespace {

using rt::UnitClass;
namespace f = rt::unit_flag;
namespace ev = rt::event;
namespace h = handler;

constexpr uint32_t kShown = f::kVisible;
constexpr uint32_t kStop = f::kVisible | f::kFocusStop;

// In layout order: the order gives the menu command identifiers, the
// stacking (earlier on top) and, reversed, the Tab order. Each input is
// named for screen readers by the caption beside it (the last field), since
// the window before it in the stacking is not always that caption.
const rt::UnitDef kUnits[] = {
    {kOwn, "定时器", UnitClass::Window, -1, 50, 50, 380, 173, "定时器", 0,
     f::kVisible | f::kSysMenu | f::kMinimizeBox | f::kEscCloses | f::kShowInTaskbar | f::kStartCentred, 0,
     {{{ev::kCreated, h::kMainCreated},
       {ev::kMoved, h::kMainMoved},
       {ev::kTray, h::kMainTray},
       {ev::kTimeChanged, h::kMainTimeChanged},
       {ev::kSessionEnds, h::kMainSessionEnds},
       {ev::kDestroying, h::kMainDestroying}}}},
    {菜单, nullptr, UnitClass::MenuItem, 0, 0, 0, 0, 0, "菜单", 0, 0, 0, {}},
    {显示窗口, nullptr, UnitClass::MenuItem, 1, 0, 0, 0, 0, "显示窗口", 0, kShown, 0, {{{0, h::kMenuShow}}}},
    {隐藏窗口, nullptr, UnitClass::MenuItem, 1, 0, 0, 0, 0, "隐藏窗口", 0, kShown, 0, {{{0, h::kMenuHide}}}},
    {退出, nullptr, UnitClass::MenuItem, 1, 0, 0, 0, 0, "退出", 0, kShown, 0, {{{0, h::kMenuExit}}}},
    {关于软件, nullptr, UnitClass::MenuItem, 1, 0, 0, 0, 0, "关于软件", 0, kShown, 0, {{{0, h::kMenuAbout}}}},
    {选择框3, "选择框3", UnitClass::CheckBox, 0, 72, 88, 80, 24, "音乐", 0, kStop, 0, {}},
    {时钟2, "时钟2", UnitClass::Timer, 0, 232, 64, 26, 26, nullptr, 0, 0, 0, {{{ev::kTick, h::kCountdownTick}}}},
    {时钟1, "时钟1", UnitClass::Timer, 0, 344, 0, 26, 26, nullptr, 0, 0, 0, {{{ev::kTick, h::kClockTick}}}},
    {编辑框_提醒, "编辑框_提醒", UnitClass::EditBox, 0, 64, 112, 288, 20, "", 0, kStop, 0, {}, 选择框2},
    {选择框2, "选择框2", UnitClass::CheckBox, 0, 8, 112, 80, 24, "提醒:", 0, kStop, 0, {}},
    {选择框1, "选择框1", UnitClass::CheckBox, 0, 8, 88, 80, 24, "关机", 0, kStop, 0, {}},
    {按钮1, "按钮1", UnitClass::Button, 0, 272, 64, 80, 32, "定时", 0, kStop, 0,
     {{{ev::kClicked, h::kScheduleButton}}}},
    {标签_剩余时间, "标签_剩余时间", UnitClass::Label, 0, 88, 64, 80, 24, "", 0, kShown, 0, {}},
    {标签6, "标签6", UnitClass::Label, 0, 8, 64, 80, 24, "剩余时间(秒):", 0, kShown, 0, {}},
    {组合框_秒, "组合框_秒", UnitClass::ComboBox, 0, 291, 40, 40, 20, "", 0, kStop, 0, {}, 标签5},
    {组合框_分, "组合框_分", UnitClass::ComboBox, 0, 235, 40, 40, 20, "", 0, kStop, 0, {}, 标签4},
    {组合框_时, "组合框_时", UnitClass::ComboBox, 0, 176, 40, 40, 20, "", 0, kStop | f::kDropDownList, 0, {}, 标签3},
    {标签5, "标签5", UnitClass::Label, 0, 336, 38, 20, 24, "秒", 0, kShown, 0, {}},
    {日期框_日期, "日期框_日期", UnitClass::DateBox, 0, 64, 40, 112, 22, nullptr, 0, kStop, 0, {}, 标签2},
    {标签2, "标签2", UnitClass::Label, 0, 8, 40, 80, 24, "定时时间:", 0, kShown, 0, {}},
    {标签_当前时间, "标签_当前时间", UnitClass::Label, 0, 72, 8, 288, 24, "", 0, kShown, 0, {}},
    {标签1, "标签1", UnitClass::Label, 0, 8, 8, 80, 24, "当前时间:", 0, kShown, 0, {}},
    {标签3, "标签3", UnitClass::Label, 0, 219, 38, 16, 24, "时", 0, kShown, 0, {}},
    {标签4, "标签4", UnitClass::Label, 0, 275, 38, 16, 24, "分", 0, kShown, 0, {}},
};

}  // namespace

const rt::WindowDef kLayout{kWindow, kUnits, sizeof kUnits / sizeof kUnits[0]};

}  // namespace layouts::main_window
