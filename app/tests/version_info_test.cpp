// timer.exe's version resource read back the way Explorer and the uninstall
// entry read it: a Chinese product name that comes through as UTF-16, the
// project's version in the fixed part and in the texts, and the icon group
// still the exe's only icon; its manifest read as Windows reads it when it
// starts the program.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class VersionInfo : public ::testing::Test {
 protected:
  void SetUp() override {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(TIMER_EXE, &ignored);
    ASSERT_NE(size, 0u) << "no version resource in " << TIMER_EXE;
    data_.resize(size);
    ASSERT_TRUE(GetFileVersionInfoW(TIMER_EXE, 0, size, data_.data()));
  }

  // A text of the Chinese (Simplified), UTF-16 string table; null if absent.
  const wchar_t* text(const wchar_t* name) {
    const std::wstring path = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data_.data(), path.c_str(), &value, &length) || length == 0) return nullptr;
    return static_cast<const wchar_t*>(value);
  }

  std::vector<BYTE> data_;
};

TEST_F(VersionInfo, NamesTheProductInChinese) {
  const wchar_t* product = text(L"ProductName");
  ASSERT_NE(product, nullptr);
  EXPECT_EQ(std::wstring(product), L"\u5b9a\u65f6\u5668");  // 定时器, spelled out apart from the build's encoding
  const wchar_t* description = text(L"FileDescription");
  ASSERT_NE(description, nullptr);
  EXPECT_EQ(std::wstring(description).rfind(product, 0), 0u) << "the description begins with the product name";
  ASSERT_NE(text(L"OriginalFilename"), nullptr);
  EXPECT_EQ(std::wstring(text(L"OriginalFilename")), L"timer.exe");
}

TEST_F(VersionInfo, CarriesTheProjectVersion) {
  for (const wchar_t* name : {L"FileVersion", L"ProductVersion"}) {
    ASSERT_NE(text(name), nullptr) << name;
    EXPECT_EQ(std::wstring(text(name)), TIMER_VERSION) << name;
  }
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(data_.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_GE(length, sizeof *fixed);
  EXPECT_EQ(fixed->dwSignature, VS_FFI_SIGNATURE);
  EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(TIMER_VERSION_MS));
  EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(TIMER_VERSION_LS));
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(VersionInfo, DeclaresTheLanguageOfItsTexts) {
  struct Translation {
    WORD language, code_page;
  }* translations = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                             &length));
  ASSERT_EQ(length, sizeof *translations);
  EXPECT_EQ(translations->language, 0x0804);  // Chinese (Simplified, PRC)
  EXPECT_EQ(translations->code_page, 1200);   // UTF-16
}

TEST(ExeIcon, TheProgramsOwnIconIsTheOnlyOne) {
  EXPECT_EQ(ExtractIconExW(TIMER_EXE, -1, nullptr, nullptr, 0), 1u);
}

// The activation context Windows makes from the manifest: the program is
// aware of each screen's DPI (per-monitor v2, else per-monitor, else the
// system's), and depends on no assembly, so its controls stay the classic
// ones under the themed look.
TEST(ExeManifest, DeclaresEachScreensDpiAndNoDependency) {
  ACTCTXW made{};
  made.cbSize = sizeof made;
  made.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  made.lpSource = TIMER_EXE;
  made.lpResourceName = MAKEINTRESOURCEW(1);  // the manifest a program starts with
  const HANDLE context = CreateActCtxW(&made);
  ASSERT_NE(context, INVALID_HANDLE_VALUE) << "no manifest, error " << GetLastError();

  // Vista's kernel32 has it; the program itself never asks.
  using QuerySettings = BOOL(WINAPI*)(DWORD, HANDLE, const wchar_t*, const wchar_t*, wchar_t*, SIZE_T, SIZE_T*);
  const auto query = reinterpret_cast<QuerySettings>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "QueryActCtxSettingsW")));
  ASSERT_NE(query, nullptr);
  const auto setting = [&](const wchar_t* space, const wchar_t* name) {
    wchar_t value[128] = {};
    SIZE_T written = 0;
    return query(0, context, space, name, value, 128, &written) ? std::wstring(value) : L"(none)";
  };
  EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
            L"PerMonitorV2, PerMonitor");
  EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"), L"true/pm");

  // The details are followed by the paths they name.
  union {
    ACTIVATION_CONTEXT_DETAILED_INFORMATION detail;
    BYTE room[4096];
  } answer{};
  SIZE_T size = 0;
  ASSERT_TRUE(QueryActCtxW(0, context, nullptr, ActivationContextDetailedInformation, &answer, sizeof answer, &size))
      << "error " << GetLastError();
  EXPECT_EQ(answer.detail.ulAssemblyCount, 1u) << "the program alone: no common controls 6 or any other assembly";
  ReleaseActCtx(context);
}

}  // namespace
