// The themed painting of the restyled controls. Each kind has a painter, a
// function of (device context, rectangle, look), chosen from a table by the
// control's kind; paint_window gathers a control's look and runs its painter
// double-buffered on the whole window.
#pragma once

#include <windows.h>

#include <string>

#include "theme/control_kind.h"
#include "theme/scheme_colors.h"
#include "theme/shapes.h"

namespace rt::theme {

// Everything a painter needs to know about a control.
struct Look {
  uint32_t state = 0;  // state:: flags
  int scheme = 1;
  uint32_t style = 0, ex_style = 0;
  std::wstring text;  // buttons: at most 255 characters
  HFONT font = nullptr;
  HBRUSH background = nullptr;  // the brush the parent reported
  Color background_color = 0;   // and its colour
  Color text_color = 0;         // the text colour the parent reported
  int list_items = 0;           // drop-down lists
  int arrow_width = 0;          // combo boxes: the drop-down button's width
  int dpi = kBaseDpi;           // the scale its window is laid out at
};

// Paints a control of `kind` into `dc`. Buttons and up-down controls are
// painted over their client rectangle, frames over the whole window
// rectangle; both are in window coordinates. Nothing is drawn outside that
// rectangle. A kind without a painter leaves the DC alone.
void paint(ControlKind kind, HDC dc, const Rect& window, const Rect& client, const Look& look);

// Paints a restyled window now: its whole-window DC, a memory bitmap at
// least of its size (holding the current image first where the kind keeps
// it), the painter, one BitBlt back. A window without a record is left
// alone.
void paint_window(HWND w);

// Gives back the memory bitmap that paint_window keeps between paints.
void release_paint_canvas();

// Tests watch every paint that paint_window makes; null stops watching.
using PaintObserver = void (*)(HWND painted);
void set_paint_observer(PaintObserver observer);

}  // namespace rt::theme
