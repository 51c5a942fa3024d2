#include "confirm_window_session.h"

namespace timer::confirm_window {

::testing::AssertionResult Session::open(bool again) {
  return host::Session::open(kId, kCaption, again ? std::vector<std::wstring>{L"--again"} : std::vector<std::wstring>{});
}

std::wstring confirm_caption_of(int seconds) { return L"确定(" + std::to_wstring(seconds) + L")"; }

}  // namespace timer::confirm_window
