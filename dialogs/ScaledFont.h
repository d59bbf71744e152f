#pragma once

// A heading font: a control's own font scaled in height, for the large lines of the tip of
// the day and the about box.
//
//   m_font = ScaleControlFont(GetDlgItem(window, IDC_TIP_HEADING), 14, 8);

#include "library/handles/CHandle.h"
#include "library/handles/HandleTraits.h"

#include <windows.h>

// The control's font with its height times numerator / denominator (integer arithmetic,
// truncated toward zero: -11 * 18 / 8 is -24), set on the control with a redraw. An empty
// handle, the control keeping its font, when it has none, the font cannot be read or the
// new one cannot be made. The caller keeps the handle while the control shows the font.
CHandle<CGDIHandleTraits> ScaleControlFont(HWND control, int numerator, int denominator);
// The height scaled as above; a denominator of 0 keeps the height.
LONG ScaleFontHeight(LONG height, int numerator, int denominator);
