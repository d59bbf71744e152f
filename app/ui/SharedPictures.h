#pragma once

// The program's pictures, loaded once from the program's own resources (never from
// a language module) and shared by every window. Every holder is empty (null) until
// LoadIconsAndImageLists fills it, and is emptied again at process exit; reading one
// is safe at any time, also while static objects are torn down. Windows that put a
// shared picture into a control do not own it.

#include "app/ui/SApplicationIcons.h"
#include "app/ui/SButtonImage.h"
#include "library/handles/CHandle.h"
#include "library/handles/HandleTraits.h"

#include <windows.h>
#include <commctrl.h>

// Loads every shared picture from the module: the state icons (groups 400, 403,
// 404 at 16, 32 and 48 pixels), the image lists (401: 3 images, 414: 6, 407 to 412:
// 1 each, 406: 2) with the first image of 407 to 412 as an icon, and the bitmaps 402
// and 413. A picture that fails to load leaves its holder null; pictures loaded
// before are released.
void LoadIconsAndImageLists(HINSTANCE instance);
// Empties every holder (done by itself at process exit).
void ReleaseIconsAndImageLists();

// A new image list of imageCount equal images cut from a row in the bitmap
// resource, 32-bit colour with a mask in which white is transparent; null when the
// bitmap is missing or narrower than imageCount pixels. The caller owns the list.
HIMAGELIST MakeImageList(HINSTANCE instance, unsigned int bitmapId, int imageCount);
// The image of that size from the icon group; null when missing. The caller owns it.
HICON LoadIconResource(HINSTANCE instance, unsigned int iconId, int size);
// The bitmap resource as a DIB section; null when missing. The caller owns it.
HBITMAP LoadBitmapResource(HINSTANCE instance, unsigned int bitmapId);
// A new icon of the list's image, drawn transparent; null when there is none.
HICON GetImageListIcon(HIMAGELIST imageList, int index);

// The application icon and the working-state icons.
const SApplicationIcons& ApplicationIcons();
// Activities: 0 disabled, 1 enabled, 2 being worked on (16 x 16).
const CHandle<CImgLHandleTraits>& ActivityImageList();
// Report templates: 0 category, 1 comma- or tab-separated, 2 text, 3 RTF, 4 HTML,
// 5 XML (16 x 16).
const CHandle<CImgLHandleTraits>& ReportTemplateImageList();
// List header sort signs: 0 ascending, 1 descending (16 x 16).
const CHandle<CImgLHandleTraits>& SortImageList();
// Period buttons of the full window: arrows left and right (10 x 10).
const SButtonImage& PreviousButtonImage();
const SButtonImage& NextButtonImage();
// Buttons of the compact window (14 x 14): start and stop working, and the
// always-on-top button while it is on and while it is off.
const SButtonImage& StartButtonImage();
const SButtonImage& StopButtonImage();
const SButtonImage& TopMostOnButtonImage();
const SButtonImage& TopMostOffButtonImage();
// The about box picture (400 x 100) and the tip-of-the-day picture (49 x 173).
const CHandle<CGDIHandleTraits>& AboutBitmap();
const CHandle<CGDIHandleTraits>& TipBitmap();
