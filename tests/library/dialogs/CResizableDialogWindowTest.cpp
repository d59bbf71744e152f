#include "library/dialogs/CResizableDialogWindow.h"

#include "CTestDialog.h"
#include "DialogTestHelpers.h"
#include "DialogTestIds.h"

#include <gtest/gtest.h>

namespace {

const SItemAnchor kAnchors[] = {
    {IDOK, 0, 1, 0, 1},
    {IDCANCEL, 0, 1, 0, 1},
    {IDC_LIST, 1, 0, 1, 0},
    {IDC_NAME, 1, 0, 0, 0},
};

// Distances of a control's edges from the dialog's client edges.
struct SMargins {
    LONG left, top, right, bottom;
    bool operator==(const SMargins& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

SMargins MarginsOf(HWND dialog, int id) {
    RECT client, control;
    GetClientRect(dialog, &client);
    GetWindowRect(GetDlgItem(dialog, id), &control);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&control), 2);
    return {control.left, control.top, client.right - control.right,
            client.bottom - control.bottom};
}

RECT Sizing(CTestDialog& dialog, int edge, LONG left, LONG top, LONG right, LONG bottom) {
    RECT rect{left, top, right, bottom};
    SendMessageA(dialog.GetHwnd(), WM_SIZING, static_cast<WPARAM>(edge),
                 reinterpret_cast<LPARAM>(&rect));
    return rect;
}

TEST(CResizableDialogWindowTest, DraggedEdgesStopAtTheLimits) {
    CTestDialog dialog;
    CModeless open(dialog, IDD_MAIN);
    const SSize initial = dialog.GetInitialSize();
    ASSERT_GT(initial.width, 100);
    EXPECT_EQ(dialog.GetMinimumSize(), initial);
    dialog.SetMaximumSize({initial.width + 50, initial.height + 40});
    const LONG w = initial.width, h = initial.height;
    const struct {
        int edge;
        RECT dragged, expected;
    } cases[] = {
        {WMSZ_LEFT, {300, 0, 310, h}, {310 - w, 0, 310, h}},
        {WMSZ_RIGHT, {300, 0, 310, h}, {300, 0, 300 + w, h}},
        {WMSZ_TOP, {0, -500, w, 100}, {0, 100 - (h + 40), w, 100}},
        {WMSZ_BOTTOM, {0, 0, w, 2000}, {0, 0, w, h + 40}},
        {WMSZ_BOTTOMRIGHT, {0, 0, w + 20, h + 30}, {0, 0, w + 20, h + 30}},
        {WMSZ_TOPLEFT, {0, 0, w + 500, 5}, {w + 500 - (w + 50), 5 - h, w + 500, 5}},
    };
    for (const auto& test : cases) {
        const RECT& d = test.dragged;
        const RECT got = Sizing(dialog, test.edge, d.left, d.top, d.right, d.bottom);
        EXPECT_TRUE(EqualRect(&got, &test.expected))
            << "edge " << test.edge << ": " << got.left << "," << got.top << "," << got.right << ","
            << got.bottom;
    }
    EXPECT_EQ(CountOf(dialog.messages, static_cast<UINT>(WM_SIZING)), 0);
}

TEST(CResizableDialogWindowTest, InitialSizeAsMaximumFixesTheWindow) {
    CTestDialog dialog;
    dialog.SetMaximumSize({-1, -1});
    CModeless open(dialog, IDD_MAIN);
    const SSize initial = dialog.GetInitialSize();
    EXPECT_EQ(dialog.GetMaximumSize(), initial);
    for (LONG grow : {-60, 80}) {
        const RECT got =
            Sizing(dialog, WMSZ_BOTTOMRIGHT, 0, 0, initial.width + grow, initial.height + grow);
        EXPECT_EQ(got.right, initial.width);
        EXPECT_EQ(got.bottom, initial.height);
    }
}

// Whatever the sizes, maximised or not, anchored controls keep their margins.
TEST(CResizableDialogWindowTest, AnchoredControlsKeepTheirMargins) {
    CTestDialog dialog;
    dialog.onInitialize = [&] { dialog.AnchorItems(dialog.GetHwnd(), kAnchors); };
    CModeless open(dialog, IDD_MAIN, true);
    HWND window = dialog.GetHwnd();
    const SMargins ok = MarginsOf(window, IDOK);
    const SMargins list = MarginsOf(window, IDC_LIST);
    const SMargins name = MarginsOf(window, IDC_NAME);
    const SSize initial = dialog.GetInitialSize();
    const auto expectKept = [&](const char* step) {
        const SMargins nowOk = MarginsOf(window, IDOK);
        EXPECT_EQ(nowOk.right, ok.right) << step;
        EXPECT_EQ(nowOk.bottom, ok.bottom) << step;
        EXPECT_TRUE(MarginsOf(window, IDC_LIST) == list) << step;
        const SMargins nowName = MarginsOf(window, IDC_NAME);
        EXPECT_EQ(nowName.right, name.right) << step;
        EXPECT_EQ(nowName.top, name.top) << step;
    };
    dialog.SetSize(initial.width + 120, initial.height + 90);
    expectKept("larger");
    dialog.SetSize(initial.width + 10, initial.height + 200);
    expectKept("taller");
    RECT dragged;
    GetWindowRect(window, &dragged);
    dragged.left -= 33;
    SendMessageA(window, WM_SIZING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&dragged));
    SetWindowPos(window, nullptr, dragged.left, dragged.top, dragged.right - dragged.left,
                 dragged.bottom - dragged.top, SWP_NOZORDER | SWP_NOACTIVATE);
    expectKept("dragged");
    ShowWindow(window, SW_MAXIMIZE);
    ASSERT_TRUE(IsZoomed(window));
    expectKept("maximised");
    ShowWindow(window, SW_RESTORE);
    expectKept("restored");
    EXPECT_EQ(CountOf(dialog.messages, static_cast<UINT>(WM_SIZE)), 0);
}

// The restored place of a maximised window comes back in screen coordinates.
TEST(CResizableDialogWindowTest, NormalPlacementOfAMaximisedWindow) {
    CTestDialog dialog;
    CModeless open(dialog, IDD_MAIN, true);
    dialog.SetRect(120, 90, 500, 400);
    const SWindowRect normal = dialog.GetRect(false);
    ShowWindow(dialog.GetHwnd(), SW_MAXIMIZE);
    const SWindowRect stored = dialog.GetRect(true);
    EXPECT_EQ(stored.x, normal.x);
    EXPECT_EQ(stored.y, normal.y);
    EXPECT_EQ(stored.width, 500);
    EXPECT_EQ(stored.height, 400);
    EXPECT_GT(dialog.GetSize(false).width, 500);
}

} // namespace
