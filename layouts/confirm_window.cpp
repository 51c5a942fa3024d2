#include "confirm_window.h"

#include "handler_names.h"

namespace layouts::confirm_window {
namespace {

using rt::UnitClass;
namespace f = rt::unit_flag;
namespace ev = rt::event;
namespace h = handler;

const rt::UnitDef kUnits[] = {
    // Topmost: the ten seconds to cancel a forced shutdown must be seen,
    // whatever program is in front when the schedule fires. It comes up
    // without taking the keys of that program.
    {kOwn, "关机", UnitClass::Window, -1, 50, 50, 325, 139, "关机", 0,
     f::kVisible | f::kSysMenu | f::kMinimizeBox | f::kEscCloses | f::kShowInTaskbar | f::kStartCentred | f::kTopmost,
     0,
     {{{ev::kCreated, h::kConfirmCreated}}}},
    {时钟1, "时钟1", UnitClass::Timer, 0, 280, 16, 26, 26, nullptr, 1000, 0, 0, {{{ev::kTick, h::kConfirmTick}}}},
    {按钮2, "按钮2", UnitClass::Button, 0, 200, 64, 88, 24, "取消", 0, f::kVisible | f::kFocusStop, 0,
     {{{ev::kClicked, h::kConfirmCancel}}}},
    // 确定 forces a shutdown: only once the question can have been read. It
    // is the second Tab stop, so that a Tab and a Space typed on after the
    // user turned to the window cancel instead.
    {按钮1, "按钮1", UnitClass::Button, 0, 104, 64, 88, 24, "确定(10)", 0,
     f::kVisible | f::kFocusStop | f::kWaitsToBeRead, 1,
     {{{ev::kClicked, h::kConfirmShutDown}}}},
    {标签1, "标签1", UnitClass::Label, 0, 32, 24, 144, 24, "是否要真的关闭计算机呢?", 0, f::kVisible, 0, {}},
};

}  // namespace

const rt::WindowDef kLayout{kWindow, kUnits, sizeof kUnits / sizeof kUnits[0]};

}  // namespace layouts::confirm_window
