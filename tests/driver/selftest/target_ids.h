// The window of driver_target.exe, shared with the driver's self-test.
#pragma once

namespace target {

constexpr const wchar_t* kCaption = L"驱动靶子";
constexpr const wchar_t* kClass = L"DriverTarget";
constexpr int kLeft = 100, kTop = 80, kWidth = 320, kHeight = 220;

enum Control : int { kEdit = 101, kButton, kCheck, kCombo, kClicks, kDate, kDoubleClicks };

// Client-area rectangles of the controls (left, top, width, height).
struct Place {
  int left, top, width, height;
};
constexpr Place kEditPlace{10, 10, 150, 22};
constexpr Place kButtonPlace{10, 40, 80, 24};
constexpr Place kCheckPlace{10, 70, 80, 24};
constexpr Place kComboPlace{10, 100, 100, 160};
constexpr Place kClicksPlace{100, 40, 80, 24};
constexpr Place kDatePlace{170, 10, 130, 22};
constexpr Place kDoubleClicksPlace{170, 40, 100, 24};
// an empty spot of the client area, for double-clicks
constexpr Place kEmptySpot{200, 120, 1, 1};

// The date the picker is set to.
constexpr int kYear = 2001, kMonth = 2, kDay = 3, kHour = 4, kMinute = 5, kSecond = 6;

}  // namespace target
