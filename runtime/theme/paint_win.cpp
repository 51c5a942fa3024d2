#include "theme/paint_win.h"

#include <algorithm>
#include <iterator>
#include <memory>

#include "display/dpi_win.h"
#include "theme/canvas_win.h"
#include "theme/painters_win.h"
#include "theme/visual_style_win.h"

namespace rt::theme {
namespace {

PaintObserver g_observer = nullptr;

// One memory canvas serves every paint: making a bitmap and selecting it
// into a new DC costs more than all the drawing. It grows to the largest
// window painted so far and is given back when the look is switched off.
std::unique_ptr<MemoryCanvas> g_canvas;
int g_canvas_width = 0, g_canvas_height = 0;

HDC canvas_for(HDC like, int width, int height) {
  if (!g_canvas || width > g_canvas_width || height > g_canvas_height) {
    g_canvas.reset();
    g_canvas_width = std::max(width, g_canvas_width);
    g_canvas_height = std::max(height, g_canvas_height);
    g_canvas = std::make_unique<MemoryCanvas>(like, g_canvas_width, g_canvas_height);
    if (!*g_canvas) {
      release_paint_canvas();
      return nullptr;
    }
    // The controls' usual font rests in the canvas, so that their text needs
    // no font selected (a stock object, never deleted under it).
    SelectObject(g_canvas->dc(), GetStockObject(DEFAULT_GUI_FONT));
  }
  return g_canvas ? g_canvas->dc() : nullptr;
}

struct PaintRow {
  void (*paint)(HDC, const Rect&, const Look&);
  bool on_client;    // the client rectangle, else the whole window's
  bool keeps_image;  // draws over the control's own painting
};

// Indexed by ControlKind.
constexpr PaintRow kPainters[] = {
    {nullptr, false, false},             // None
    {paint_push_button, true, false},    // PushButton
    {paint_check_box, true, false},      // CheckBox
    {paint_radio_button, true, false},   // RadioButton
    {paint_group_box, true, true},       // GroupBox
    {paint_edit_box, false, true},       // Edit
    {paint_combo_box, false, true},      // ComboBox
    {paint_combo_list, false, true},     // ComboList
    {paint_up_down, true, false},        // UpDown
};
static_assert(std::size(kPainters) == static_cast<size_t>(ControlKind::UpDown) + 1, "one row per kind");

const PaintRow& row(ControlKind kind) { return kPainters[static_cast<size_t>(kind)]; }

bool is_button(ControlKind k) {
  return k == ControlKind::PushButton || k == ControlKind::CheckBox || k == ControlKind::RadioButton ||
         k == ControlKind::GroupBox;
}

// Nothing here sends the control a message: a paint runs inside one of the
// control's own messages, and a message sent from here would run the themed
// procedure and the control's own once more on every paint. The text is
// read without WM_GETTEXT, the font is the record's (noted from
// WM_SETFONT), and a drop-down list's own procedure is asked its item count
// directly.
Look look_of(HWND w, const ControlRecord& r) {
  Look l;
  const ControlKind kind = r.kind;
  l.state = r.state;
  l.scheme = current_scheme();
  l.background = r.brush;
  l.background_color = r.brush_color;
  l.text_color = r.text_color;
  l.dpi = r.dpi;
  l.style = static_cast<uint32_t>(GetWindowLongW(w, GWL_STYLE));
  l.ex_style = static_cast<uint32_t>(GetWindowLongW(w, GWL_EXSTYLE));
  if (is_button(kind)) {
    wchar_t text[256] = {};
    l.text.assign(text, static_cast<size_t>(InternalGetWindowText(w, text, 256)));
    l.font = r.font;
  }
  if (kind == ControlKind::ComboList) l.list_items = static_cast<int>(CallWindowProcW(r.old_proc, w, LB_GETCOUNT, 0, 0));
  if (kind == ControlKind::ComboBox) l.arrow_width = display::metric_for_dpi(SM_CYVTHUMB, r.dpi);
  return l;
}

}  // namespace

void paint(ControlKind kind, HDC dc, const Rect& window, const Rect& client, const Look& look) {
  const PaintRow& p = row(kind);
  if (!p.paint) return;
  const Rect& area = p.on_client ? client : window;
  // A control too small for its shapes shows what fits: nothing is drawn
  // outside its rectangle. (The painters set every colour and mode they
  // use, so only the clipping is given back.)
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  p.paint(dc, area, look);
  SelectClipRgn(dc, nullptr);
}

void paint_window(HWND w) {
  const ControlRecord* r = find_record(w);
  if (!r || !row(r->kind).paint) return;
  const ControlKind kind = r->kind;
  const Look look = look_of(w, *r);

  RECT outer, inner;
  POINT origin{0, 0};
  if (!GetWindowRect(w, &outer) || !GetClientRect(w, &inner) || !ClientToScreen(w, &origin)) return;
  const int width = outer.right - outer.left, height = outer.bottom - outer.top;
  if (width <= 0 || height <= 0) return;
  const Rect window{0, 0, width, height};
  const Rect client = from_win(inner).moved(origin.x - outer.left, origin.y - outer.top);

  WindowDc dc(w, WindowDc::Whole);
  if (!dc) return;
  const HDC canvas = canvas_for(dc.get(), width, height);
  if (!canvas) return;
  // Only the painter's area goes through the canvas: the rest of the window
  // (a button's border, say) stays as the control drew it.
  const Rect& area = row(kind).on_client ? client : window;
  const auto copy = [&area](HDC to, HDC from) {
    BitBlt(to, area.left, area.top, area.width(), area.height(), from, area.left, area.top, SRCCOPY);
  };
  if (row(kind).keeps_image) copy(canvas, dc.get());
  paint(kind, canvas, window, client, look);
  copy(dc.get(), canvas);
  if (g_observer) g_observer(w);
}

void release_paint_canvas() {
  g_canvas.reset();
  g_canvas_width = g_canvas_height = 0;
}

void set_paint_observer(PaintObserver observer) { g_observer = observer; }

}  // namespace rt::theme
