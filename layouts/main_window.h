// The main window "定时器": its identifiers and its layout.
#pragma once

#include <cstdint>

#include "layout.h"

namespace layouts::main_window {

constexpr uint32_t kWindow = 0x52010001;
constexpr uint32_t kOwn = 0x06010000;  // the window's own unit

constexpr uint32_t 菜单 = 0x26010074;
constexpr uint32_t 显示窗口 = 0x26010075;
constexpr uint32_t 隐藏窗口 = 0x26010084;
constexpr uint32_t 退出 = 0x26010076;
constexpr uint32_t 关于软件 = 0x2601007B;
constexpr uint32_t 选择框3 = 0x1601002A;        // alarm sound wanted
constexpr uint32_t 时钟2 = 0x16010022;          // countdown timer
constexpr uint32_t 时钟1 = 0x16010018;          // clock timer
constexpr uint32_t 编辑框_提醒 = 0x16010016;    // reminder text
constexpr uint32_t 选择框2 = 0x16010015;        // reminder wanted
constexpr uint32_t 选择框1 = 0x16010014;        // shutdown wanted
constexpr uint32_t 按钮1 = 0x16010011;          // start / stop
constexpr uint32_t 标签_剩余时间 = 0x16010010;  // seconds left
constexpr uint32_t 标签6 = 0x1601000F;
constexpr uint32_t 组合框_秒 = 0x1601000E;
constexpr uint32_t 组合框_分 = 0x1601000D;
constexpr uint32_t 组合框_时 = 0x1601000C;
constexpr uint32_t 标签5 = 0x1601000B;
constexpr uint32_t 日期框_日期 = 0x16010005;    // target date
constexpr uint32_t 标签2 = 0x16010004;
constexpr uint32_t 标签_当前时间 = 0x16010003;  // current date and time
constexpr uint32_t 标签1 = 0x16010002;
constexpr uint32_t 标签3 = 0x16010009;
constexpr uint32_t 标签4 = 0x1601000A;

extern const rt::WindowDef kLayout;

}  // namespace layouts::main_window
