// The shut down system service with every Windows call recorded: what it
// asks for each mode, that nothing is asked without the privilege, and that
// the token goes back on every path.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "service.h"
#include "system/shutdown_win.h"

namespace {

using rt::Arg;
using Calls = std::vector<std::string>;

// What the recorded "Windows" does and what it was asked.
struct World {
  bool nt = true;
  bool token_opens = true;
  bool lookup_succeeds = true;
  DWORD adjust_error = ERROR_SUCCESS;  // ERROR_NOT_ALL_ASSIGNED: the account lacks the privilege
  BOOL answer = TRUE;                  // of ExitWindowsEx and SetSystemPowerState
  int refused_states = 0;              // SetThreadExecutionState calls still to refuse
  Calls calls;
} g;

const HANDLE kToken = reinterpret_cast<HANDLE>(0x1234);
constexpr DWORD kShutdownLuid = 19;

template <typename... T>
void record(const T&... parts) {
  std::ostringstream line;
  ((line << parts << ' '), ...);
  std::string s = line.str();
  s.pop_back();
  g.calls.push_back(s);
}

BOOL WINAPI get_version(OSVERSIONINFOA* info) {
  record("GetVersionExA", info->dwOSVersionInfoSize);
  info->dwPlatformId = g.nt ? VER_PLATFORM_WIN32_NT : VER_PLATFORM_WIN32_WINDOWS;
  return TRUE;
}

BOOL WINAPI open_process_token(HANDLE process, DWORD access, HANDLE* token) {
  std::ostringstream rights;
  rights << std::hex << std::showbase << access;
  record("OpenProcessToken", process == GetCurrentProcess() ? "own" : "other", rights.str());
  if (!g.token_opens) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  *token = kToken;
  return TRUE;
}

BOOL WINAPI lookup_privilege_value(const char* system, const char* name, LUID* luid) {
  record("LookupPrivilegeValueA", system ? system : "local", name);
  if (!g.lookup_succeeds) {
    SetLastError(ERROR_NO_SUCH_PRIVILEGE);
    return FALSE;
  }
  *luid = LUID{kShutdownLuid, 0};
  return TRUE;
}

// Succeeds even when the account does not hold the privilege: only the last
// error tells.
BOOL WINAPI adjust_token_privileges(HANDLE token, BOOL disable_all, TOKEN_PRIVILEGES* state, DWORD, TOKEN_PRIVILEGES* previous,
                                    DWORD*) {
  const LUID_AND_ATTRIBUTES& p = state->Privileges[0];
  record("AdjustTokenPrivileges", token == kToken ? "token" : "other", disable_all, state->PrivilegeCount,
         p.Luid.LowPart == kShutdownLuid && p.Luid.HighPart == 0 ? "shutdown" : "other", p.Attributes,
         previous ? "previous" : "-");
  SetLastError(g.adjust_error);
  return TRUE;
}

BOOL WINAPI close_handle(HANDLE h) {
  record("CloseHandle", h == kToken ? "token" : "other");
  return TRUE;
}

BOOL WINAPI exit_windows(UINT flags, DWORD reason) {
  record("ExitWindowsEx", flags, reason);
  return g.answer;
}

BOOL WINAPI set_system_power_state(BOOL suspend, BOOL force) {
  record("SetSystemPowerState", suspend, force);
  return g.answer;
}

EXECUTION_STATE WINAPI set_thread_execution_state(EXECUTION_STATE state) {
  record("SetThreadExecutionState", (std::ostringstream() << std::hex << state).str());
  return g.refused_states-- > 0 ? 0 : ES_CONTINUOUS;
}

const rt::system::ShutdownCalls kRecorded{get_version,  open_process_token, lookup_privilege_value,
                                          adjust_token_privileges, close_handle, exit_windows,
                                          set_system_power_state, set_thread_execution_state};

const Calls kPlatform = {"GetVersionExA 148"};
const Calls kPrivilege = {"GetVersionExA 148", "OpenProcessToken own 0x28",
                          "LookupPrivilegeValueA local SeShutdownPrivilege",
                          "AdjustTokenPrivileges token 0 1 shutdown 2 -", "CloseHandle token"};

Calls operator+(Calls a, const Calls& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class ShutdownService : public ::testing::Test {
 protected:
  void SetUp() override {
    g = World{};
    rt::system::provide_shutdown_service();
  }
  static bool ask(int32_t mode, Arg force) {
    return rt::result_bool(rt::call(rt::Service::ShutdownSystem, {rt::arg_int(mode), force}));
  }

  rt::system::ShutdownCallsOverride recorded_{kRecorded};
};

TEST_F(ShutdownService, EnablesThePrivilegeThenAsksWindows) {
  const struct {
    const char* what;
    bool nt;
    int32_t mode;
    Arg force;
    Calls calls;
  } cases[] = {
      // Shutting down asks for the platform once more: only NT switches off.
      {"shut down, forced (the program's request)", true, 1, rt::arg_bool(true),
       kPrivilege + kPlatform + Calls{"ExitWindowsEx 12 0"}},
      {"shut down, forced, not NT: no privileges", false, 1, rt::arg_bool(true),
       kPlatform + kPlatform + Calls{"ExitWindowsEx 5 0"}},
      {"shut down", true, 1, rt::omitted(), kPrivilege + kPlatform + Calls{"ExitWindowsEx 8 0"}},
      {"restart, force omitted", true, 2, rt::omitted(), kPrivilege + Calls{"ExitWindowsEx 2 0"}},
      {"restart, force false", true, 2, rt::arg_bool(false), kPrivilege + Calls{"ExitWindowsEx 2 0"}},
      {"restart, forced", true, 2, rt::arg_bool(true), kPrivilege + Calls{"ExitWindowsEx 6 0"}},
      {"log off, forced", true, 3, rt::arg_bool(true), kPrivilege + Calls{"ExitWindowsEx 4 0"}},
      {"log off", true, 3, rt::omitted(), kPrivilege + Calls{"ExitWindowsEx 0 0"}},
      {"suspend, forced", true, 4, rt::arg_bool(true), kPrivilege + Calls{"SetSystemPowerState 1 1"}},
      {"suspend, not NT", false, 4, rt::omitted(), kPlatform + Calls{"SetSystemPowerState 1 0"}},
      {"hibernate", true, 5, rt::omitted(), kPrivilege + Calls{"SetSystemPowerState 0 0"}},
      {"hibernate, forced", true, 5, rt::arg_int(7), kPrivilege + Calls{"SetSystemPowerState 0 1"}},
  };
  for (const auto& c : cases) {
    g = World{};
    g.nt = c.nt;
    EXPECT_TRUE(ask(c.mode, c.force)) << c.what;
    EXPECT_EQ(g.calls, c.calls) << c.what;
  }
}

TEST_F(ShutdownService, AModeAloneIsNotForced) {
  EXPECT_TRUE(rt::result_bool(rt::call(rt::Service::ShutdownSystem, {rt::arg_int(2)})));
  EXPECT_EQ(g.calls.back(), "ExitWindowsEx 2 0");
}

TEST_F(ShutdownService, ARefusalByWindowsIsFalse) {
  g.answer = FALSE;
  EXPECT_FALSE(ask(1, rt::arg_bool(true)));
  EXPECT_FALSE(ask(4, rt::arg_bool(true)));
  EXPECT_EQ(g.calls.size(), 2 * kPrivilege.size() + 3) << "both requests reached Windows";
}

TEST_F(ShutdownService, ModesOutsideOneToFiveAskNothing) {
  for (int32_t mode : {0, 6, -1}) {
    EXPECT_FALSE(ask(mode, rt::arg_bool(true))) << mode;
    EXPECT_EQ(g.calls, Calls{}) << mode;
  }
}

TEST_F(ShutdownService, WithoutThePrivilegeNothingIsAskedAndTheTokenIsClosed) {
  const struct {
    const char* what;
    void (*fail)(World&);
    Calls calls;
  } cases[] = {
      {"the token does not open", [](World& w) { w.token_opens = false; },
       Calls{"GetVersionExA 148", "OpenProcessToken own 0x28"}},
      {"the privilege is unknown", [](World& w) { w.lookup_succeeds = false; },
       Calls{"GetVersionExA 148", "OpenProcessToken own 0x28", "LookupPrivilegeValueA local SeShutdownPrivilege",
             "CloseHandle token"}},
      {"the account lacks the privilege", [](World& w) { w.adjust_error = ERROR_NOT_ALL_ASSIGNED; }, kPrivilege},
  };
  for (const auto& c : cases) {
    for (int32_t mode = 1; mode <= 5; ++mode) {
      g = World{};
      c.fail(g);
      EXPECT_FALSE(ask(mode, rt::arg_bool(true))) << c.what << ", mode " << mode;
      EXPECT_EQ(g.calls, c.calls) << c.what << ", mode " << mode;
    }
  }
}

// Windows hears of keep awake only when it changes, and again after a refusal.
TEST_F(ShutdownService, KeepAwakeAsksOnChangesAndAgainAfterARefusal) {
  g.refused_states = 1;
  for (const bool on : {true, true, true, false}) rt::call(rt::Service::KeepAwake, {rt::arg_bool(on)});
  EXPECT_EQ(g.calls, (Calls{"SetThreadExecutionState 80000001", "SetThreadExecutionState 80000001",
                            "SetThreadExecutionState 80000000"}));
}

}  // namespace
