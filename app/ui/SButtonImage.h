#pragma once

#include "library/handles/CHandle.h"
#include "library/handles/HandleTraits.h"

// The picture of a button in both forms that SetButtonIcon chooses between: a
// one-image list (drawn under visual styles) and the same image as an icon.
struct SButtonImage {
    CHandle<CImgLHandleTraits> imageList;
    CHandle<CIconHandleTraits> icon;
};
