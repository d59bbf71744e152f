#include "library/controls/CLinkControl.h"
#include "library/controls/CShellExecuteLink.h"

#include "ControlsTestIds.h"
#include "TestDialog.h"

#include <gtest/gtest.h>

namespace {

class CClickCounter : public ILinkControlCallback {
public:
    int clicks = 0;
    bool OnLinkClicked(CLinkControl&) override { return ++clicks > 0; }
};

bool IsUnderlined(HWND control) {
    LOGFONTA font = {};
    HGDIOBJ handle = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
    return GetObjectA(handle, sizeof(font), &font) != 0 && font.lfUnderline != 0;
}

// The text colour that the dialog gives control, and its brush.
std::pair<COLORREF, LRESULT> Colour(HWND dialog, HWND control) {
    HDC dc = CreateCompatibleDC(nullptr);
    const LRESULT brush = SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(control));
    const COLORREF colour = GetTextColor(dc);
    DeleteDC(dc);
    return {colour, brush};
}

TEST(CLinkControlTest, StaticActsAsALinkUntilDetached) {
    CTestDialog dialog(IDD_LINK);
    CClickCounter counter;
    CLinkControl link;
    HGDIOBJ originalFont = nullptr;
    std::vector<int> clicks;
    harness::CUiScript script;
    script
        .Do([&] {
            HWND control = dialog.GetItem(IDC_LINK);
            EXPECT_TRUE(IsUnderlined(control));
            EXPECT_EQ(SendMessageA(control, WM_NCHITTEST, 0, 0), HTCLIENT);
            SetCursor(nullptr);
            SendMessageA(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), HTCLIENT);
            EXPECT_EQ(GetCursor(), CLinkControl::GetSharedCursor());
            EXPECT_NE(GetCursor(), nullptr);
            const auto linkColour = Colour(dialog.GetWindow(), control);
            EXPECT_EQ(linkColour.first, RGB(0, 0, 255));
            EXPECT_EQ(linkColour.second,
                      reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE)));
            EXPECT_NE(Colour(dialog.GetWindow(), dialog.GetItem(IDC_PLAIN_TEXT)).first,
                      RGB(0, 0, 255));

            SendMessageA(control, WM_LBUTTONUP, 0, 0); // no callback yet
            link.SetCallback(&counter);
            for (WPARAM key : {VK_RETURN, VK_SPACE}) {
                SendMessageA(control, WM_KEYUP, key, 0xC0000000);
                clicks.push_back(counter.clicks);
            }
            SendMessageA(control, WM_LBUTTONUP, 0, 0);
            link.Detach();
            SendMessageA(control, WM_LBUTTONUP, 0, 0);
            clicks.push_back(counter.clicks);
            EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)),
                      originalFont);
            // A target that cannot be opened is reported.
            EXPECT_FALSE(
                CShellExecuteLink("C:\\no such folder\\x.tallymarks-test").OnLinkClicked(link));
        })
        .Do([&] { dialog.Close(); });
    dialog.Run(script, [&](HWND window) {
        HWND control = GetDlgItem(window, IDC_LINK);
        originalFont = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
        ASSERT_TRUE(link.Attach(GetModuleHandleA(nullptr), IDR_LINK_CURSOR, window, control,
                                nullptr, RGB(0, 0, 255)));
    });
    EXPECT_EQ(clicks, std::vector<int>({0, 1, 2}));
    EXPECT_NE(originalFont, nullptr);
    EXPECT_EQ(link.GetParentWindow(), nullptr);
}

} // namespace
