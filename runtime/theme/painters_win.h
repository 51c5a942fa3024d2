// The painters of the kinds of restyled controls (see paint_win.h).
#pragma once

#include <windows.h>

#include "theme/paint_win.h"

namespace rt::theme {

void paint_push_button(HDC dc, const Rect& client, const Look& look);
void paint_check_box(HDC dc, const Rect& client, const Look& look);
void paint_radio_button(HDC dc, const Rect& client, const Look& look);
void paint_group_box(HDC dc, const Rect& client, const Look& look);

void paint_edit_box(HDC dc, const Rect& window, const Look& look);
void paint_combo_box(HDC dc, const Rect& window, const Look& look);
void paint_combo_list(HDC dc, const Rect& window, const Look& look);
void paint_up_down(HDC dc, const Rect& client, const Look& look);

// An arrow button in `button` with the look's state, scheme and scale, its
// chevron pointing `d`.
void paint_arrow_button(HDC dc, const Rect& button, const Look& look, Direction d);

}  // namespace rt::theme
