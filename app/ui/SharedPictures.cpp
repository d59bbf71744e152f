#include "app/ui/SharedPictures.h"

#include "resources/ResourceIds.h"

#include <cstdlib>

namespace {

enum EButton { kPrevious, kNext, kStart, kStop, kTopMostOn, kTopMostOff, kButtonCount };

// The bitmaps of the buttons, in EButton order.
const unsigned int kButtonBitmaps[kButtonCount] = {IDB_PREVIOUS, IDB_NEXT,       IDB_START,
                                                   IDB_STOP,     IDB_TOPMOST_ON, IDB_TOPMOST_OFF};

struct SSharedPictures {
    SApplicationIcons applicationIcons;
    CHandle<CImgLHandleTraits> activities;
    CHandle<CImgLHandleTraits> reportTemplates;
    CHandle<CImgLHandleTraits> sort;
    SButtonImage buttons[kButtonCount];
    CHandle<CGDIHandleTraits> about;
    CHandle<CGDIHandleTraits> tip;
};

// Built on first use and never destroyed, so that it is there for any static
// object, whenever that is built or torn down; the handles it holds are released at
// exit, after which it reads as empty.
SSharedPictures& Pictures() {
    static SSharedPictures* pictures = [] {
        SSharedPictures* built = new SSharedPictures();
        std::atexit(&ReleaseIconsAndImageLists);
        return built;
    }();
    return *pictures;
}

} // namespace

void LoadIconsAndImageLists(HINSTANCE instance) {
    SSharedPictures& pictures = Pictures();
    const unsigned int iconIds[] = {IDI_TALLYMARKS, IDI_WORKING, IDI_NOT_WORKING};
    const int sizes[] = {16, 32, 48};
    for (int size = 0; size < 3; ++size) {
        for (int state = 0; state < 3; ++state) {
            pictures.applicationIcons.icons[state][size] =
                LoadIconResource(instance, iconIds[state], sizes[size]);
        }
    }
    pictures.activities = MakeImageList(instance, IDB_ACTIVITIES, 3);
    pictures.reportTemplates = MakeImageList(instance, IDB_REPORT_TEMPLATES, 6);
    for (int button = 0; button < kButtonCount; ++button) {
        pictures.buttons[button].imageList = MakeImageList(instance, kButtonBitmaps[button], 1);
    }
    pictures.sort = MakeImageList(instance, IDB_SORT, 2);
    for (SButtonImage& button : pictures.buttons) {
        button.icon = GetImageListIcon(button.imageList, 0);
    }
    pictures.about = LoadBitmapResource(instance, IDB_ABOUT);
    pictures.tip = LoadBitmapResource(instance, IDB_TIP);
}

void ReleaseIconsAndImageLists() {
    Pictures() = SSharedPictures();
}

HIMAGELIST MakeImageList(HINSTANCE instance, unsigned int bitmapId, int imageCount) {
    if (imageCount <= 0) {
        return nullptr;
    }
    CHandle<CGDIHandleTraits> bitmap(LoadBitmapResource(instance, bitmapId));
    BITMAP info = {};
    if (!bitmap.IsSet() || GetObjectA(bitmap, sizeof info, &info) != sizeof info ||
        info.bmWidth < imageCount || info.bmHeight <= 0) {
        return nullptr;
    }
    HIMAGELIST list = ImageList_Create(info.bmWidth / imageCount, info.bmHeight,
                                       ILC_MASK | ILC_COLOR32, imageCount, 1);
    if (list != nullptr) {
        ImageList_AddMasked(list, static_cast<HBITMAP>(bitmap.Get()), RGB(255, 255, 255));
    }
    return list;
}

HICON LoadIconResource(HINSTANCE instance, unsigned int iconId, int size) {
    return static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

HBITMAP LoadBitmapResource(HINSTANCE instance, unsigned int bitmapId) {
    return static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

HICON GetImageListIcon(HIMAGELIST imageList, int index) {
    return imageList != nullptr ? ImageList_GetIcon(imageList, index, ILD_TRANSPARENT) : nullptr;
}

const SApplicationIcons& ApplicationIcons() {
    return Pictures().applicationIcons;
}

const CHandle<CImgLHandleTraits>& ActivityImageList() {
    return Pictures().activities;
}

const CHandle<CImgLHandleTraits>& ReportTemplateImageList() {
    return Pictures().reportTemplates;
}

const CHandle<CImgLHandleTraits>& SortImageList() {
    return Pictures().sort;
}

const SButtonImage& PreviousButtonImage() {
    return Pictures().buttons[kPrevious];
}

const SButtonImage& NextButtonImage() {
    return Pictures().buttons[kNext];
}

const SButtonImage& StartButtonImage() {
    return Pictures().buttons[kStart];
}

const SButtonImage& StopButtonImage() {
    return Pictures().buttons[kStop];
}

const SButtonImage& TopMostOnButtonImage() {
    return Pictures().buttons[kTopMostOn];
}

const SButtonImage& TopMostOffButtonImage() {
    return Pictures().buttons[kTopMostOff];
}

const CHandle<CGDIHandleTraits>& AboutBitmap() {
    return Pictures().about;
}

const CHandle<CGDIHandleTraits>& TipBitmap() {
    return Pictures().tip;
}
