// The themed procedures on real controls: which messages change the flags,
// which reach the control's own procedure, that each change repaints once,
// the parent's colours, the look on the screen, and no handle left behind.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "theme/scheme_colors.h"
#include "theme/visual_style_win.h"
#include "theme_test_support.h"

namespace {

using namespace rt::theme;
namespace st = rt::theme::state;

// What the controls' own procedures received: a recorder sits under the
// themed procedure, in front of the real one.
struct Recorded {
  WNDPROC real;
  std::vector<UINT> got;
};
std::map<HWND, Recorded> g_recorded;
std::vector<HWND> g_painted;

LRESULT CALLBACK recorder(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  const auto it = g_recorded.find(w);
  if (it == g_recorded.end()) return DefWindowProcW(w, m, wp, lp);
  it->second.got.push_back(m);
  return CallWindowProcW(it->second.real, w, m, wp, lp);
}

void record(HWND w) {
  g_recorded[w].real = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recorder)));
}

// The parent answers WM_CTLCOLORBTN with its own colours.
HBRUSH g_parent_brush = nullptr;
constexpr COLORREF kParentBrush = RGB(10, 20, 30), kParentText = RGB(200, 0, 0);

LRESULT CALLBACK parent_proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_CTLCOLORBTN && g_parent_brush) {
    SetTextColor(reinterpret_cast<HDC>(wp), kParentText);
    return reinterpret_cast<LRESULT>(g_parent_brush);
  }
  return DefWindowProcW(w, m, wp, lp);
}

const wchar_t kParentClass[] = L"ThemeTestParent";

HWND make_parent(int width, int height) {
  static const ATOM atom = [] {
    WNDCLASSW c{};
    c.lpfnWndProc = parent_proc;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    c.lpszClassName = kParentClass;
    return RegisterClassW(&c);
  }();
  (void)atom;
  return CreateWindowExW(0, kParentClass, L"theme", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 20, 20, width, height,
                         nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

HWND child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, DWORD ex = 0) {
  return CreateWindowExW(ex, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

void pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
}

// One window with a control of every kind.
struct Controls {
  HWND parent, push, check, radio, group, edit, combo, list, up_down;

  explicit Controls(int x = 0) {
    parent = make_parent(320, 200);
    SetWindowPos(parent, nullptr, 20 + x, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    push = child(parent, L"BUTTON", L"Push", BS_PUSHBUTTON, 10, 10, 75, 23);
    check = child(parent, L"BUTTON", L"Check", BS_AUTO3STATE | BS_VCENTER, 10, 40, 80, 19);
    radio = child(parent, L"BUTTON", L"Radio", BS_AUTORADIOBUTTON, 100, 40, 80, 19);
    group = child(parent, L"BUTTON", L"Group", BS_GROUPBOX, 200, 10, 100, 60);
    edit = child(parent, L"EDIT", L"", ES_AUTOHSCROLL, 10, 70, 100, 20, WS_EX_CLIENTEDGE);
    combo = child(parent, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL, 10, 100, 60, 160);
    for (const wchar_t* item : {L"1", L"2", L"3"}) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo, &info);
    list = info.hwndList;
    up_down = child(parent, UPDOWN_CLASSW, L"", 0, 120, 100, 17, 30);
  }
  ~Controls() { DestroyWindow(parent); }
  std::vector<HWND> all() const { return {push, check, radio, group, edit, combo, list, up_down}; }
};

class ThemeMessages : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
  }
  void SetUp() override {
    g_recorded.clear();
    g_painted.clear();
    g_parent_brush = nullptr;
    set_paint_observer([](HWND w) { g_painted.push_back(w); });
  }
  void TearDown() override {
    set_visual_style(0);
    set_paint_observer(nullptr);
    pump();
  }
  static uint32_t flags(HWND w) {
    const ControlRecord* r = find_record(w);
    return r ? r->state : 0xFFFFFFFFu;
  }
};

TEST_F(ThemeMessages, EachChangeUpdatesTheFlagsAndRepaintsOnce) {
  Controls c;
  for (HWND w : c.all()) record(w);
  ASSERT_EQ(set_visual_style(1), 1);
  for (HWND w : c.all()) ASSERT_NE(find_record(w), nullptr);
  SetFocus(c.parent);
  pump();

  const HWND Controls::*push = &Controls::push;
  const HWND Controls::*check = &Controls::check;
  const HWND Controls::*edit = &Controls::edit;
  const HWND Controls::*combo = &Controls::combo;
  const HWND Controls::*list = &Controls::list;
  struct Step {
    const char* what;
    const HWND Controls::*control;
    UINT m;
    WPARAM wp;
    uint32_t mask, value;  // (flags & mask) == value afterwards
    int paints, to_own;    // paints of the control; times its own procedure got the message
  };
  const Step steps[] = {
      {"hover", push, WM_MOUSEMOVE, 0, st::kHot, st::kHot, 1, 1},
      {"move while hovering", push, WM_MOUSEMOVE, 0, st::kHot, st::kHot, 0, 1},
      {"leave", push, WM_MOUSELEAVE, 0, st::kHot, 0, 1, 1},
      {"leave again", push, WM_MOUSELEAVE, 0, st::kHot, 0, 0, 1},
      {"drag in", push, WM_MOUSEMOVE, MK_LBUTTON, st::kHot, 0, 0, 1},
      {"press", push, BM_SETSTATE, 1, st::kPressed, st::kPressed, 1, 1},
      {"release", push, BM_SETSTATE, 0, st::kPressed, 0, 1, 1},
      {"disable", push, WM_ENABLE, 0, st::kDisabled, st::kDisabled, 1, 1},
      {"enable", push, WM_ENABLE, 1, st::kDisabled, 0, 1, 1},
      {"focus in", push, WM_SETFOCUS, 0, st::kFocused, st::kFocused, 1, 1},
      {"focus out", push, WM_KILLFOCUS, 0, st::kFocused, 0, 1, 1},
      {"made default", push, BM_SETSTYLE, BS_DEFPUSHBUTTON, st::kDefault, st::kDefault, 1, 1},
      {"made plain", push, BM_SETSTYLE, BS_PUSHBUTTON, st::kDefault, 0, 1, 1},
      {"painted, never by itself", push, WM_PAINT, 0, 0, 0, 1, 0},
      {"erased by its own procedure", push, WM_ERASEBKGND, 0, 0, 0, 0, 1},
      {"checked", check, BM_SETCHECK, BST_CHECKED, st::kChecked | st::kIndeterminate, st::kChecked, 1, 1},
      {"indeterminate", check, BM_SETCHECK, BST_INDETERMINATE, st::kChecked | st::kIndeterminate, st::kIndeterminate, 1, 1},
      {"cleared", check, BM_SETCHECK, BST_UNCHECKED, st::kChecked | st::kIndeterminate, 0, 1, 1},
      {"edge hover, by the default procedure", edit, WM_NCMOUSEMOVE, HTBORDER, st::kHot, st::kHot, 1, 0},
      {"edge move while hovering", edit, WM_NCMOUSEMOVE, HTBORDER, st::kHot, st::kHot, 0, 1},
      {"edit left, by the default procedure", edit, WM_MOUSELEAVE, 0, st::kHot, 0, 1, 0},
      {"edit painted over its own painting", edit, WM_PAINT, 0, 0, 0, 1, 1},
      {"edit frame painted", edit, WM_NCPAINT, 1, 0, 0, 1, 1},
      {"read-only keeps the first look", edit, EM_SETREADONLY, 1, st::kReadOnly, 0, 0, 1},
      {"edit focus in", edit, WM_SETFOCUS, 0, st::kFocused, st::kFocused, 1, 1},
      {"edit focus out", edit, WM_KILLFOCUS, 0, st::kFocused, 0, 1, 1},
      {"combo focus in", combo, WM_SETFOCUS, 0, st::kFocused, st::kFocused, 1, 1},
      {"combo pressed", combo, WM_LBUTTONDOWN, MK_LBUTTON, st::kPressed, st::kPressed, 1, 1},
      {"combo released", combo, WM_LBUTTONUP, 0, st::kPressed, 0, 1, 1},
      {"list hovered", list, WM_MOUSEMOVE, 0, st::kHot, st::kHot, 1, 1},
      {"list left", list, WM_MOUSELEAVE, 0, st::kHot, 0, 1, 1},
      {"list painted by itself only", list, WM_PAINT, 0, 0, 0, 0, 1},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    const HWND w = c.*s.control;
    if (s.m == WM_PAINT) InvalidateRect(w, nullptr, TRUE);
    g_painted.clear();
    g_recorded[w].got.clear();
    const LPARAM at = MAKELPARAM(5, 5);
    SendMessageW(w, s.m, s.wp, s.m == WM_SETTEXT ? reinterpret_cast<LPARAM>(L"x") : at);
    EXPECT_EQ(flags(w) & s.mask, s.value);
    const std::vector<UINT>& got = g_recorded[w].got;
    EXPECT_EQ(std::count(got.begin(), got.end(), s.m), s.to_own);
    // A control that repaints itself on the way (a combo box updates its
    // window) is painted over again after that WM_PAINT.
    const long own_repaints = s.m == WM_PAINT ? 0 : std::count(got.begin(), got.end(), static_cast<UINT>(WM_PAINT));
    EXPECT_EQ(std::count(g_painted.begin(), g_painted.end(), w) - own_repaints, s.paints);
  }
  SendMessageW(c.combo, CB_SHOWDROPDOWN, FALSE, 0);

  // Off, the procedures pass every message on once and paint nothing; on
  // again, the flags are what the control shows by then.
  set_visual_style(0);
  for (const Step& s : steps) {
    const HWND w = c.*s.control;
    g_painted.clear();
    g_recorded[w].got.clear();
    SendMessageW(w, s.m, s.wp, MAKELPARAM(5, 5));
    EXPECT_EQ(std::count(g_recorded[w].got.begin(), g_recorded[w].got.end(), s.m), 1) << s.what;
    EXPECT_TRUE(g_painted.empty()) << s.what;
  }
  SendMessageW(c.combo, CB_SHOWDROPDOWN, FALSE, 0);
  SendMessageW(c.check, BM_SETCHECK, BST_CHECKED, 0);
  set_visual_style(1);
  EXPECT_EQ(flags(c.check) & st::kChecked, st::kChecked);
}

TEST_F(ThemeMessages, TextIsSetByTheDefaultProcedureAndPainted) {
  Controls c;
  record(c.push);
  set_visual_style(1);
  g_painted.clear();
  SendMessageW(c.push, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"New"));
  EXPECT_EQ(std::count(g_painted.begin(), g_painted.end(), c.push), 1);
  const std::vector<UINT>& got = g_recorded[c.push].got;
  EXPECT_EQ(std::count(got.begin(), got.end(), static_cast<UINT>(WM_SETTEXT)), 0);
  wchar_t text[8] = {};
  GetWindowTextW(c.push, text, 8);
  EXPECT_STREQ(text, L"New");
}

TEST_F(ThemeMessages, FirstFlagsAndFontComeFromTheControl) {
  Controls c;
  const HWND def = child(c.parent, L"BUTTON", L"Def", BS_DEFPUSHBUTTON | WS_DISABLED, 100, 70, 75, 23);
  const HWND ro = child(c.parent, L"EDIT", L"", ES_READONLY, 100, 130, 80, 20, WS_EX_CLIENTEDGE);
  SendMessageW(c.check, BM_SETCHECK, BST_INDETERMINATE, 0);
  SetFocus(c.edit);
  const auto gui_font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageW(c.push, WM_SETFONT, gui_font, FALSE);
  set_visual_style(1);
  EXPECT_EQ(reinterpret_cast<WPARAM>(find_record(c.push)->font), gui_font);
  const auto system_font = reinterpret_cast<WPARAM>(GetStockObject(SYSTEM_FONT));
  SendMessageW(c.push, WM_SETFONT, system_font, FALSE);
  EXPECT_EQ(reinterpret_cast<WPARAM>(find_record(c.push)->font), system_font) << "a later font is noted";
  EXPECT_EQ(flags(def), st::kDefault | st::kDisabled);
  EXPECT_EQ(flags(ro), st::kReadOnly);
  EXPECT_EQ(flags(c.check), st::kIndeterminate);
  EXPECT_EQ(flags(c.edit), st::kFocused);
  EXPECT_EQ(flags(c.push), 0u);
}

TEST_F(ThemeMessages, AWindowWithoutARecordIsAnsweredWithZero) {
  Controls c;
  set_visual_style(1);
  const auto themed = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(c.push, GWLP_WNDPROC));
  const HWND plain = child(c.parent, L"STATIC", L"label", 0, 100, 70, 50, 20);
  EXPECT_EQ(find_record(plain), nullptr);
  EXPECT_EQ(CallWindowProcW(themed, plain, WM_GETTEXTLENGTH, 0, 0), 0);
  EXPECT_EQ(SendMessageW(plain, WM_GETTEXTLENGTH, 0, 0), 5) << "the label itself is untouched";
}

TEST_F(ThemeMessages, ErasingAsksTheParentForItsColoursAndPaintingUsesThem) {
  Controls c;
  rt::UniqueGdiObject brush(CreateSolidBrush(kParentBrush));
  g_parent_brush = static_cast<HBRUSH>(brush.get());
  set_visual_style(1);
  RedrawWindow(c.parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  pump();
  const ControlRecord* r = find_record(c.check);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->brush, g_parent_brush);
  EXPECT_EQ(r->brush_color, kParentBrush);
  EXPECT_EQ(r->text_color, kParentText);

  // On the screen: the check box's background is the parent's, the push
  // button has the scheme's border.
  paint_window(c.check);
  paint_window(c.push);
  rt::WindowDc check_dc(c.check, rt::WindowDc::Whole), push_dc(c.push, rt::WindowDc::Whole);
  EXPECT_EQ(GetPixel(check_dc.get(), 40, 1), kParentBrush);
  EXPECT_EQ(GetPixel(check_dc.get(), 0, 9), RGB(24, 81, 132)) << "the check box's frame";
  EXPECT_EQ(GetPixel(push_dc.get(), 1, 11), RGB(0, 60, 115)) << "scheme 1's button border";
  g_parent_brush = nullptr;
  set_visual_style(0);
}

// A window made after the switch gets the look when it is created, and shows
// it from its first paint.
TEST_F(ThemeMessages, AWindowCreatedLaterShowsTheLook) {
  set_visual_style(1);
  Controls c(340);
  UpdateWindow(c.parent);
  pump();
  ASSERT_NE(find_record(c.push), nullptr);
  rt::WindowDc push_dc(c.push, rt::WindowDc::Whole), edit_dc(c.edit, rt::WindowDc::Whole);
  EXPECT_EQ(GetPixel(push_dc.get(), 1, 11), RGB(0, 60, 115)) << "scheme 1's button border";
  EXPECT_EQ(GetPixel(push_dc.get(), 1, 1), GetSysColor(COLOR_BTNFACE)) << "a rounded corner";
  EXPECT_EQ(GetPixel(edit_dc.get(), 0, 10), RGB(123, 158, 189)) << "scheme 1's frame";
  EXPECT_EQ(GetPixel(edit_dc.get(), 1, 10), GetSysColor(COLOR_WINDOW));
}

// Made after the switch, a control is judged by what it is created with:
// its text (not yet set when it is taken over), its style's flags, and the
// font it is given afterwards.
TEST_F(ThemeMessages, AControlCreatedLaterIsJudgedByItsCreation) {
  set_visual_style(1);
  Controls c;
  constexpr DWORD kBare = WS_CHILD | WS_TABSTOP;  // a push button's style and nothing else
  const struct {
    const wchar_t *cls, *text;
    DWORD style;
    bool recorded;
    uint32_t flags;
  } cases[] = {
      {L"BUTTON", L"Go", 0, true, 0},
      {L"BUTTON", L"", 0, false, 0},
      {L"BUTTON", nullptr, 0, false, 0},
      {L"BUTTON", L"Def", BS_DEFPUSHBUTTON | WS_DISABLED, true, st::kDefault | st::kDisabled},
      {L"EDIT", L"", ES_READONLY, true, st::kReadOnly},
      {L"STATIC", L"label", 0, false, 0},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<const void*>(k.text) << " " << k.style);
    const HWND w = CreateWindowExW(0, k.cls, k.text, kBare | k.style, 100, 70, 75, 23, c.parent, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(find_record(w) != nullptr, k.recorded);
    if (k.recorded) {
      EXPECT_EQ(flags(w), k.flags);
    }
    DestroyWindow(w);
  }
  const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  const HWND later = child(c.parent, L"BUTTON", L"Later", BS_PUSHBUTTON, 100, 70, 75, 23);
  SendMessageW(later, WM_SETFONT, font, FALSE);
  EXPECT_EQ(reinterpret_cast<WPARAM>(find_record(later)->font), font);
}

// A creation that a hook further down the chain refuses leaves no record
// behind for a later window to find under the same handle.
HHOOK g_refusing = nullptr;
LRESULT CALLBACK refuse_creation(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_CREATEWND) return 1;
  return CallNextHookEx(g_refusing, code, wp, lp);
}

TEST_F(ThemeMessages, ARefusedCreationLeavesNoRecord) {
  Controls c;
  g_refusing = SetWindowsHookExW(WH_CBT, refuse_creation, nullptr, GetCurrentThreadId());
  set_visual_style(1);  // its hook runs first
  const int records = record_count();
  EXPECT_EQ(child(c.parent, L"BUTTON", L"No", BS_PUSHBUTTON, 100, 70, 75, 23), nullptr);
  EXPECT_EQ(record_count(), records);
  UnhookWindowsHookEx(g_refusing);
  const HWND yes = child(c.parent, L"BUTTON", L"Yes", BS_PUSHBUTTON, 100, 70, 75, 23);
  EXPECT_NE(find_record(yes), nullptr);
}

TEST_F(ThemeMessages, RepaintsAndWindowsComeAndGoWithoutLeakingHandles) {
  set_visual_style(1);
  Controls c;
  const std::vector<HWND> all = c.all();
  for (HWND w : all) ASSERT_NE(find_record(w), nullptr);
  const auto repaint = [&](int times) {
    for (int i = 0; i < times; ++i)
      for (HWND w : all) paint_window(w);
  };
  const auto come_and_go = [](int times) {
    for (int i = 0; i < times; ++i) {
      Controls other(340);
      UpdateWindow(other.parent);
      pump();
    }
    pump();
  };
  repaint(1);
  come_and_go(1);
  const long gdi = tt::gdi_objects(), user = tt::user_objects(), records = record_count();
  ASSERT_GT(gdi, 0);
  repaint(1000);
  come_and_go(100);
  EXPECT_EQ(tt::gdi_objects(), gdi);
  EXPECT_EQ(tt::user_objects(), user);
  EXPECT_EQ(record_count(), records);
}

}  // namespace
