#include "app/ui/SharedPictures.h"

#include "PictureProbe.h"

#include "../../../resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using picturetest::DrawOn;
using picturetest::GetBitmapSize;
using picturetest::GetIconSize;
using picturetest::SPixels;

namespace {

HINSTANCE Program() {
    return GetModuleHandleA(nullptr);
}

class SharedPicturesTest : public ::testing::Test {
protected:
    void SetUp() override { LoadIconsAndImageLists(Program()); }
};

#pragma pack(push, 2)
struct SGroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

// The image sizes (0 stands for 256) and bit depths of an icon group resource.
std::set<std::pair<int, int>> GroupImages(unsigned int id) {
    std::set<std::pair<int, int>> images;
    HRSRC info = FindResourceA(Program(), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14));
    if (info == nullptr) {
        return images;
    }
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(Program(), info)));
    const DWORD size = SizeofResource(Program(), info);
    const WORD count = size >= 6 ? *reinterpret_cast<const WORD*>(data + 4) : 0;
    for (WORD i = 0; i < count && 6 + (i + 1) * sizeof(SGroupIconEntry) <= size; ++i) {
        const SGroupIconEntry* entry =
            reinterpret_cast<const SGroupIconEntry*>(data + 6 + i * sizeof(SGroupIconEntry));
        EXPECT_EQ(entry->width, entry->height);
        images.insert({entry->width, entry->bitCount});
    }
    return images;
}

TEST_F(SharedPicturesTest, IconGroupsHoldEverySizeWithAlpha) {
    const std::set<std::pair<int, int>> state = {{16, 32}, {24, 32}, {32, 32}, {48, 32}};
    std::set<std::pair<int, int>> application = state;
    application.insert({64, 32});
    EXPECT_EQ(GroupImages(IDI_TALLYMARKS), application);
    EXPECT_EQ(GroupImages(IDI_WORKING), state);
    EXPECT_EQ(GroupImages(IDI_NOT_WORKING), state);
}

// Each state icon in each size is opaque in its middle and at least partly
// transparent in its corners, and the three states differ.
TEST_F(SharedPicturesTest, StateIconsHaveTheirSizeAndTransparency) {
    const EWorkingState states[] = {EWorkingState::NoProject, EWorkingState::Working,
                                    EWorkingState::NotWorking};
    const struct {
        EIconSize size;
        int pixels;
    } sizes[] = {{EIconSize::Small16, 16}, {EIconSize::Large32, 32}, {EIconSize::Big48, 48}};
    for (const auto& size : sizes) {
        std::set<std::vector<uint32_t>> looks;
        for (EWorkingState state : states) {
            HICON icon = ApplicationIcons().Get(state, size.size);
            ASSERT_NE(icon, nullptr) << size.pixels;
            const SIZE actual = GetIconSize(icon);
            EXPECT_EQ(actual.cx, size.pixels);
            EXPECT_EQ(actual.cy, size.pixels);
            const int n = size.pixels;
            auto drawOn = [&](COLORREF background) {
                return DrawOn(
                    n, n, [&](HDC dc) { DrawIconEx(dc, 0, 0, icon, n, n, 0, nullptr, DI_NORMAL); },
                    background);
            };
            const SPixels onMagenta = drawOn(picturetest::kMagenta);
            const SPixels onGreen = drawOn(RGB(0, 255, 0));
            for (const POINT& corner : {POINT{0, 0}, POINT{n - 1, 0}, POINT{0, n - 1}}) {
                EXPECT_NE(onMagenta.At(corner.x, corner.y), onGreen.At(corner.x, corner.y))
                    << n << ": " << corner.x << "," << corner.y;
            }
            EXPECT_EQ(onMagenta.At(n / 2, n / 2), onGreen.At(n / 2, n / 2)) << n;
            looks.insert(onMagenta.pixels);
        }
        EXPECT_EQ(looks.size(), 3u) << size.pixels;
    }
}

// The bitmap as it is, every pixel opaque.
SPixels DrawBitmap(unsigned int id, int width, int height) {
    CHandle<CGDIHandleTraits> bitmap(LoadBitmapResource(Program(), id));
    return DrawOn(width, height, [&](HDC dc) {
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, bitmap.Get());
        BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    });
}

// Every image list has its images, cut from its bitmap: where the bitmap is white
// the list draws nothing, elsewhere it draws the bitmap's own colour. A button's
// icon shows the same as its list.
TEST_F(SharedPicturesTest, ImageListsShowTheirBitmapWithWhiteTransparent) {
    const struct {
        const char* name;
        const CHandle<CImgLHandleTraits>* list;
        const SButtonImage* button;
        unsigned int bitmap;
        int count;
        int size;
    } cases[] = {
        {"activities", &ActivityImageList(), nullptr, IDB_ACTIVITIES, 3, 16},
        {"report templates", &ReportTemplateImageList(), nullptr, IDB_REPORT_TEMPLATES, 6, 16},
        {"sort", &SortImageList(), nullptr, IDB_SORT, 2, 16},
        {"previous", nullptr, &PreviousButtonImage(), IDB_PREVIOUS, 1, 10},
        {"next", nullptr, &NextButtonImage(), IDB_NEXT, 1, 10},
        {"start", nullptr, &StartButtonImage(), IDB_START, 1, 14},
        {"stop", nullptr, &StopButtonImage(), IDB_STOP, 1, 14},
        {"top-most on", nullptr, &TopMostOnButtonImage(), IDB_TOPMOST_ON, 1, 14},
        {"top-most off", nullptr, &TopMostOffButtonImage(), IDB_TOPMOST_OFF, 1, 14},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int n = c.size;
        HIMAGELIST list = c.button != nullptr ? c.button->imageList.Get() : c.list->Get();
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(ImageList_GetImageCount(list), c.count);
        int width = 0;
        int height = 0;
        ASSERT_TRUE(ImageList_GetIconSize(list, &width, &height));
        EXPECT_EQ(width, n);
        EXPECT_EQ(height, n);

        const SPixels source = DrawBitmap(c.bitmap, n * c.count, n);
        for (int image = 0; image < c.count; ++image) {
            const SPixels drawn = DrawOn(
                n, n, [&](HDC dc) { ImageList_Draw(list, image, dc, 0, 0, ILD_TRANSPARENT); });
            int white = 0;
            int mismatches = 0;
            for (int y = 0; y < n; ++y) {
                for (int x = 0; x < n; ++x) {
                    const uint32_t expected = source.At(image * n + x, y);
                    white += expected == 0xFFFFFF;
                    mismatches += drawn.At(x, y) != (expected == 0xFFFFFF ? 0xFF00FF : expected);
                }
            }
            EXPECT_EQ(mismatches, 0) << "image " << image;
            EXPECT_GT(white, 0) << "image " << image;
            EXPECT_LT(white, n * n) << "image " << image;
            if (c.button != nullptr) {
                HICON icon = c.button->icon.Get();
                EXPECT_EQ(GetIconSize(icon).cx, n);
                const SPixels byIcon = DrawOn(
                    n, n, [&](HDC dc) { DrawIconEx(dc, 0, 0, icon, n, n, 0, nullptr, DI_NORMAL); });
                EXPECT_EQ(byIcon.pixels, drawn.pixels);
            }
        }
    }
}

TEST_F(SharedPicturesTest, PicturesAreDibSectionsOfEightBits) {
    const struct {
        HGDIOBJ bitmap;
        int width;
        int height;
    } cases[] = {{AboutBitmap().Get(), 400, 100}, {TipBitmap().Get(), 49, 173}};
    for (const auto& c : cases) {
        DIBSECTION info = {};
        ASSERT_EQ(GetObjectA(c.bitmap, sizeof info, &info), static_cast<int>(sizeof info))
            << c.width;
        EXPECT_EQ(info.dsBm.bmWidth, c.width);
        EXPECT_EQ(info.dsBm.bmHeight, c.height);
        EXPECT_EQ(info.dsBmih.biBitCount, 8);
    }
}

TEST(SharedPictureFilesTest, LinkCursorPointsWithItsFingertip) {
    HCURSOR cursor = static_cast<HCURSOR>(
        LoadImageA(Program(), MAKEINTRESOURCEA(IDCUR_LINK), IMAGE_CURSOR, 32, 32, 0));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    if (info.hbmColor != nullptr) {
        DeleteObject(info.hbmColor);
    }
    DeleteObject(info.hbmMask);
    EXPECT_EQ(GetIconSize(cursor).cx, 32);
    const int x = static_cast<int>(info.xHotspot);
    const int y = static_cast<int>(info.yHotspot);
    ASSERT_TRUE(x >= 0 && x < 32 && y >= 1 && y < 32) << x << "," << y;
    const SPixels drawn = DrawOn(
        32, 32, [&](HDC dc) { DrawIconEx(dc, 0, 0, cursor, 32, 32, 0, nullptr, DI_NORMAL); });
    EXPECT_FALSE(drawn.IsMagenta(x, y));
    EXPECT_TRUE(drawn.IsMagenta(x, y - 1));
    DestroyCursor(cursor);
}

// The program asks for Common Controls 6, without which buttons take no image lists.
TEST(SharedPictureFilesTest, ManifestAsksForCommonControls6) {
    HRSRC info = FindResourceA(Program(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(info, nullptr);
    const char* data = static_cast<const char*>(LockResource(LoadResource(Program(), info)));
    const std::string manifest(data, SizeofResource(Program(), info));
    const std::string::size_type controls = manifest.find("Microsoft.Windows.Common-Controls");
    ASSERT_NE(controls, std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\"", controls), std::string::npos);
}

// A module without the pictures leaves every holder empty, releasing what was loaded.
TEST(SharedPicturesLifeTest, MissingPicturesLeaveEmptyHolders) {
    LoadIconsAndImageLists(Program());
    ASSERT_TRUE(AboutBitmap().IsSet());
    LoadIconsAndImageLists(GetModuleHandleA("kernel32.dll"));
    EXPECT_EQ(ApplicationIcons().Get(EWorkingState::Working, EIconSize::Large32), nullptr);
    EXPECT_FALSE(ActivityImageList().IsSet());
    EXPECT_FALSE(ReportTemplateImageList().IsSet());
    EXPECT_FALSE(SortImageList().IsSet());
    EXPECT_FALSE(StopButtonImage().imageList.IsSet());
    EXPECT_FALSE(StopButtonImage().icon.IsSet());
    EXPECT_FALSE(AboutBitmap().IsSet());
    EXPECT_FALSE(TipBitmap().IsSet());
    EXPECT_EQ(MakeImageList(Program(), IDB_SORT, 0), nullptr);
    EXPECT_EQ(MakeImageList(Program(), IDB_SORT, 33), nullptr);
}

TEST(SharedPicturesLifeTest, ReleaseEmptiesEveryHolder) {
    LoadIconsAndImageLists(Program());
    ASSERT_TRUE(SortImageList().IsSet());
    ReleaseIconsAndImageLists();
    EXPECT_FALSE(SortImageList().IsSet());
    EXPECT_EQ(ApplicationIcons().Get(EWorkingState::NoProject, EIconSize::Small16), nullptr);
    EXPECT_FALSE(PreviousButtonImage().icon.IsSet());
}

} // namespace
