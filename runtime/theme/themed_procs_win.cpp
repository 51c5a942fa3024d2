// One replacement procedure per kind of control, each with its own rules
// for the messages that change its look, then the rules every kind shares.
// A message that no rule takes goes to the control's own procedure once,
// unchanged, and so does every message while the look is off. Painting
// always follows the message's own handling, and the answer is that
// handling's.
#include "theme/themed_procs_win.h"

#include <commctrl.h>

#include "theme/paint_win.h"
#include "theme/visual_style_win.h"
#include "win_handle.h"

namespace rt::theme {
namespace {

using state::has;
using state::with;

// A message as received, with the procedure the themed one replaced.
struct Message {
  HWND w;
  UINT m;
  WPARAM wp;
  LPARAM lp;
  WNDPROC own;

  LRESULT to_own() const { return CallWindowProcW(own, w, m, wp, lp); }
  LRESULT to_default() const { return DefWindowProcW(w, m, wp, lp); }
};

LRESULT painted(HWND w, LRESULT answer) {
  paint_window(w);
  return answer;
}

// The parent's colours for the control, asked on a DC of the control. The
// record is looked up again: the parent may have ended it.
void take_parent_colors(HWND w) {
  const HWND parent = GetParent(w);
  if (!parent) return;
  WindowDc dc(w, WindowDc::Client);
  if (!dc) return;
  const auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(w)));
  ControlRecord* r = record_for(w);
  if (!r) return;
  LOGBRUSH lb{};
  if (brush && GetObjectW(brush, sizeof lb, &lb) == sizeof lb) {
    r->brush = brush;
    r->brush_color = lb.lbStyle == BS_SOLID ? lb.lbColor : GetSysColor(COLOR_BTNFACE);
  } else {  // no brush: the look of a parent that does not answer
    r->brush = GetSysColorBrush(COLOR_BTNFACE);
    r->brush_color = GetSysColor(COLOR_BTNFACE);
  }
  r->text_color = GetTextColor(dc.get());
}

void ask_leave_notice(HWND w) {
  TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, w, HOVER_DEFAULT};
  _TrackMouseEvent(&t);
}

// The rules of every kind, after the kind's own.
LRESULT common(ControlRecord& r, const Message& c) {
  switch (c.m) {
    case WM_NCDESTROY: {  // the last message, after a failed creation too
      const LRESULT answer = c.to_own();
      drop_record(c.w);
      return answer;
    }
    case WM_ERASEBKGND:
      take_parent_colors(c.w);
      return c.to_own();
    case WM_SETFONT:  // noted for painting, which asks the control nothing
      r.font = reinterpret_cast<HFONT>(c.wp);
      return c.to_own();
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      r.state = with(r.state, state::kFocused, c.m == WM_SETFOCUS);
      return painted(c.w, c.to_own());
    case WM_ENABLE:
      r.state = with(r.state, state::kDisabled, c.wp == 0);
      return painted(c.w, c.to_own());
    case WM_MOUSEMOVE:
      if (has(r.state, state::kHot) || (c.wp & MK_LBUTTON)) return c.to_own();
      ask_leave_notice(c.w);
      r.state |= state::kHot;
      return painted(c.w, c.to_own());
    case WM_MOUSELEAVE:
      if (!has(r.state, state::kHot)) return c.to_own();
      r.state &= ~state::kHot;
      return painted(c.w, c.to_own());
    default:
      return c.to_own();
  }
}

// Push buttons, check boxes, radio buttons and group boxes: the control's
// own painting never runs.
LRESULT button_rules(ControlRecord& r, const Message& c) {
  switch (c.m) {
    case WM_SETTEXT:
    case WM_PAINT:
      return painted(c.w, c.to_default());
    case BM_SETCHECK:
      r.state = with(with(r.state, state::kChecked, c.wp == BST_CHECKED), state::kIndeterminate,
                     c.wp == BST_INDETERMINATE);
      return painted(c.w, c.to_own());
    case BM_SETSTATE:
      r.state = with(r.state, state::kPressed, c.wp != 0);
      return painted(c.w, c.to_own());
    case BM_SETSTYLE:
      r.state = with(r.state, state::kDefault, (c.wp & 1) != 0);
      return painted(c.w, c.to_own());
    default:
      return common(r, c);
  }
}

// Edit boxes: the frame goes over the box's own painting.
LRESULT edit_rules(ControlRecord& r, const Message& c) {
  switch (c.m) {
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_HSCROLL:
    case WM_VSCROLL:
      return painted(c.w, c.to_own());
    case WM_NCMOUSEMOVE:
      if (has(r.state, state::kHot)) return common(r, c);
      r.state |= state::kHot;
      return painted(c.w, c.to_default());
    case WM_MOUSELEAVE:
      if (!has(r.state, state::kHot)) return common(r, c);
      r.state &= ~state::kHot;
      return painted(c.w, c.to_default());
    case EM_SETREADONLY:  // the read-only look keeps the box's first style
      return c.to_own();
    default:
      return common(r, c);
  }
}

// Combo boxes: the frame and the drop-down button over the box's own
// painting; the button shows pressed while the left button is down.
LRESULT combo_rules(ControlRecord& r, const Message& c) {
  switch (c.m) {
    case WM_PAINT:
    case WM_NCPAINT:
      return painted(c.w, c.to_own());
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      r.state = with(r.state, state::kPressed, c.m == WM_LBUTTONDOWN);
      return painted(c.w, c.to_own());
    default:
      return common(r, c);
  }
}

// Up-down controls: their arrows are painted over their own painting.
LRESULT up_down_rules(ControlRecord& r, const Message& c) {
  switch (c.m) {
    case WM_LBUTTONDOWN:
      return c.to_own();
    case WM_PAINT:
      return painted(c.w, c.to_own());
    default:
      return common(r, c);
  }
}

// The replacement procedure of a kind: its record, then its rules. A
// window without a record is answered with 0. While the look is off, only
// the record's end is its own; everything else goes on unchanged. A combo
// box's drop-down list has no rules of its own: it is framed only when a
// shared rule repaints it.
template <LRESULT (*Rules)(ControlRecord&, const Message&)>
LRESULT CALLBACK themed(HWND w, UINT m, WPARAM wp, LPARAM lp) noexcept {
  ControlRecord* r = record_for(w);
  if (!r) return 0;
  const Message c{w, m, wp, lp, r->old_proc};
  if (!look_in_force()) return m == WM_NCDESTROY ? common(*r, c) : c.to_own();
  return Rules(*r, c);
}

}  // namespace

WNDPROC themed_procedure(ControlKind kind) {
  switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::GroupBox:
      return themed<button_rules>;
    case ControlKind::Edit:
      return themed<edit_rules>;
    case ControlKind::ComboBox:
      return themed<combo_rules>;
    case ControlKind::ComboList:
      return themed<common>;
    case ControlKind::UpDown:
      return themed<up_down_rules>;
    default:
      return nullptr;
  }
}

}  // namespace rt::theme
