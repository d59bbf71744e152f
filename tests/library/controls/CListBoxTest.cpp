#include "library/controls/CListBox.h"

#include "ControlsTestIds.h"
#include "TestDialog.h"

#include <gtest/gtest.h>

#include <memory>

using harness::CUiScript;

namespace {

// Runs the list dialog with an owner-drawn list that supports disabled items and a
// plain one that does not.
struct SListDialog {
    void Run(CUiScript& script) {
        dialog.Run(script, [this](HWND window) {
            ASSERT_TRUE(disabling.Attach(window, IDC_DISABLING_LIST));
            ASSERT_TRUE(plain->Attach(GetDlgItem(window, IDC_PLAIN_LIST)));
        });
    }
    CTestDialog dialog{IDD_LISTS};
    CListBox disabling{true};
    std::unique_ptr<CListBox> plain = std::make_unique<CListBox>(false);
};

LRESULT Extent(HWND list) {
    return SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0);
}

// The width of text plus an average character in the list's font.
LONG ExpectedExtent(HWND list, const std::string& text) {
    HDC dc = GetDC(list);
    HGDIOBJ former =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, former);
    ReleaseDC(list, dc);
    return size.cx + metrics.tmAveCharWidth;
}

const std::string kLong = "Quarterly planning of the support rota for the northern region";

TEST(CListBoxTest, HorizontalExtentFollowsTheWidestTextOncePerBatch) {
    SListDialog lists;
    std::vector<LRESULT> extents;
    LONG expected = 0;
    LPARAM data = 0;
    CUiScript script;
    script
        .Do([&] {
            HWND window = lists.plain->GetWindow();
            {
                CTracker batch;
                lists.plain->BeginAdding(batch);
                for (int i = 0; i < 99; ++i) {
                    lists.plain->AddString("Item " + std::to_string(i), i);
                }
                EXPECT_EQ(lists.plain->AddString(kLong, reinterpret_cast<LPARAM>(&lists)), 99);
                extents.push_back(Extent(window));
            }
            extents.push_back(Extent(window));
            expected = ExpectedExtent(window, kLong);
            data = lists.plain->GetItemData(99);
            // Outside a batch only a wider text changes it, at once.
            SendMessageA(window, LB_SETHORIZONTALEXTENT, 0, 0);
            lists.plain->AddString("Short", 0);
            extents.push_back(Extent(window));
            lists.plain->AddString(kLong + " and beyond", 0);
            extents.push_back(Extent(window));
            // A list box that goes during its batch ends it: the tracker forgets it.
            CTracker batch;
            lists.plain->BeginAdding(batch);
            lists.plain.reset();
            EXPECT_EQ(batch.GetHeld(), nullptr);
        })
        .Do([&] { lists.dialog.Close(); });
    lists.Run(script);

    ASSERT_EQ(extents.size(), 4u);
    EXPECT_EQ(extents[0], 0);
    EXPECT_EQ(extents[1], expected);
    EXPECT_EQ(extents[2], 0);
    EXPECT_GT(extents[3], expected);
    EXPECT_EQ(data, reinterpret_cast<LPARAM>(&lists));
}

void ClickItem(HWND list, int index) {
    RECT rect = {};
    SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rect.left + 3, rect.top + 3));
    SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(rect.left + 3, rect.top + 3));
}

TEST(CListBoxTest, DisabledItemsCannotBeSelected) {
    SListDialog lists;
    std::vector<int32_t> selections;
    CUiScript script;
    script
        .Do([&] {
            for (CListBox* list : {&lists.disabling, lists.plain.get()}) {
                for (const char* text : {"Alpha", "Beta", "Gamma"}) {
                    list->AddString(text, 0, text[0] != 'B');
                }
            }
            EXPECT_FALSE(lists.disabling.IsItemEnabled(1));
            EXPECT_TRUE(lists.disabling.IsItemEnabled(2));
            EXPECT_TRUE(lists.plain->IsItemEnabled(1)) << "without support all are enabled";
            ClickItem(lists.disabling.GetWindow(), 1);
            ClickItem(lists.plain->GetWindow(), 1);
        })
        .Do([&] {
            selections = {lists.disabling.GetCurSel(), lists.plain->GetCurSel()};
            lists.disabling.SetCurSel(0);
            SetFocus(lists.disabling.GetWindow());
            SendMessageA(lists.disabling.GetWindow(), WM_KEYDOWN, VK_DOWN, 0);
        })
        .Do([&] {
            selections.push_back(lists.disabling.GetCurSel());
            ClickItem(lists.disabling.GetWindow(), 2);
        })
        .Do([&] {
            selections.push_back(lists.disabling.GetCurSel());
            lists.dialog.Close();
        });
    lists.Run(script);
    // Mouse on a disabled item, plain list, keyboard onto it, mouse on an enabled one.
    EXPECT_EQ(selections, std::vector<int32_t>({-1, 1, -1, 2}));
}

// The background at the far end of an item drawn through the dialog.
COLORREF DrawnBackground(HWND dialog, HWND list, UINT index, UINT state) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 20);
    ReleaseDC(nullptr, screen);
    HGDIOBJ former = SelectObject(dc, bitmap);
    DRAWITEMSTRUCT item = {ODT_LISTBOX, IDC_DISABLING_LIST, index, ODA_DRAWENTIRE, state, list,
                           dc,          {0, 0, 200, 20},    0};
    EXPECT_EQ(
        SendMessageA(dialog, WM_DRAWITEM, IDC_DISABLING_LIST, reinterpret_cast<LPARAM>(&item)),
        TRUE);
    const COLORREF colour = GetPixel(dc, 198, 18);
    SelectObject(dc, former);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return colour;
}

TEST(CListBoxTest, DisabledItemsAreDrawnOnTheWindowColourEvenWhenSelected) {
    SListDialog lists;
    std::vector<COLORREF> drawn;
    CUiScript script;
    script
        .Do([&] {
            lists.disabling.AddString("Alpha", 0, true);
            lists.disabling.AddString("Beta", 0, false);
            for (UINT index : {0, 1}) {
                for (UINT state : {0, ODS_SELECTED}) {
                    drawn.push_back(DrawnBackground(lists.dialog.GetWindow(),
                                                    lists.disabling.GetWindow(), index, state));
                }
            }
        })
        .Do([&] { lists.dialog.Close(); });
    lists.Run(script);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(drawn, std::vector<COLORREF>({window, GetSysColor(COLOR_HIGHLIGHT), window, window}));
}

} // namespace
