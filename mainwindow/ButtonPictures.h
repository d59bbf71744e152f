#pragma once

// The pictures of the main windows' image buttons in every state of a push button. The
// shared button pictures are one-image lists, and a button shows a one-image list alike in
// every state: disabled, it would look enabled. Here the picture gets a greyed form for the
// disabled state.
//
//   CHandle<CImgLHandleTraits> m_startImages;   // a member: the button borrows the list
//   SetStateButtonPicture(window, IDC_COMPACT_START, StartButtonImage(), m_startImages);

#include "app/ui/SButtonImage.h"
#include "library/handles/CHandle.h"
#include "library/handles/HandleTraits.h"

#include <windows.h>
#include <commctrl.h>

// Six images of width x height drawn from icon, in the order of the push-button states
// (normal, hot, pressed, disabled, default, stylus hot); the disabled one greyed. Null
// without an icon or when the list cannot be made.
HIMAGELIST MakeButtonStateImages(HICON icon, int width, int height);

// Puts the picture on the button (SetButtonIcon) with its greyed form for the disabled
// state; images keeps the list that the button shows, and must outlive the button.
void SetStateButtonPicture(HWND dialog, int id, const SButtonImage& picture,
                           CHandle<CImgLHandleTraits>& images);
