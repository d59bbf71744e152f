#include "app/ui/ButtonControls.h"
#include "app/ui/SharedPictures.h"

#include <gtest/gtest.h>

namespace {

const int kButtonId = 1001;

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

// A hidden top-level window with one button of the given style as child kButtonId.
class ButtonControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = PlainWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TallymarksButtonTest";
        RegisterClassA(&windowClass);
        m_window = CreateWindowExA(0, "TallymarksButtonTest", "Buttons", WS_OVERLAPPEDWINDOW, 0, 0,
                                   200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(m_window, nullptr);
        LoadIconsAndImageLists(GetModuleHandleA(nullptr));
    }
    void TearDown() override { DestroyWindow(m_window); }

    HWND AddButton(DWORD style) {
        return CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | style, 10, 10, 40, 24,
                               m_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonId)),
                               GetModuleHandleA(nullptr), nullptr);
    }

    HWND m_window = nullptr;
};

TEST_F(ButtonControlsTest, OnlyATickedBoxCountsAsChecked) {
    HWND box = AddButton(BS_AUTO3STATE);
    ASSERT_NE(box, nullptr);
    const struct {
        WPARAM state;
        bool checked;
    } states[] = {{BST_CHECKED, true}, {BST_INDETERMINATE, false}, {BST_UNCHECKED, false}};
    for (const auto& s : states) {
        SendMessageA(box, BM_SETCHECK, s.state, 0);
        EXPECT_EQ(IsButtonChecked(box), s.checked) << s.state;
        EXPECT_EQ(IsDlgItemChecked(m_window, kButtonId), s.checked) << s.state;
    }
    for (bool checked : {true, false}) {
        SetButtonChecked(checked, box);
        EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), checked ? BST_CHECKED : BST_UNCHECKED);
        SendMessageA(box, BM_SETCHECK, BST_INDETERMINATE, 0);
        CheckDlgItem(checked, m_window, kButtonId);
        EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), checked ? BST_CHECKED : BST_UNCHECKED);
    }
}

TEST_F(ButtonControlsTest, DialogsGetTheApplicationIcons) {
    SetDialogIcons(m_window);
    const SApplicationIcons& icons = ApplicationIcons();
    ASSERT_NE(icons.Get(EWorkingState::NoProject, EIconSize::Large32), nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(m_window, WM_GETICON, ICON_BIG, 0)),
              icons.Get(EWorkingState::NoProject, EIconSize::Large32));
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(m_window, WM_GETICON, ICON_SMALL, 0)),
              icons.Get(EWorkingState::NoProject, EIconSize::Small16));
}

// This program carries the manifest of Common Controls 6: its buttons take the image list,
// whether or not the system draws with visual styles.
TEST_F(ButtonControlsTest, ButtonsOfCommonControls6ShowTheImageList) {
    HWND button = AddButton(BS_PUSHBUTTON);
    ASSERT_NE(button, nullptr);
    const SButtonImage& start = StartButtonImage();
    SetButtonIcon(m_window, kButtonId, start.imageList, start.icon);
    BUTTON_IMAGELIST images = {};
    ASSERT_TRUE(SendMessageA(button, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images)));
    EXPECT_EQ(images.himl, start.imageList.Get());
    EXPECT_EQ(images.uAlign, static_cast<UINT>(BUTTON_IMAGELIST_ALIGN_CENTER));
    EXPECT_EQ(images.margin.left + images.margin.top + images.margin.right + images.margin.bottom,
              0);
}

WNDPROC g_buttonProc = nullptr;

// A button of Common Controls before version 6: it refuses image lists.
LRESULT CALLBACK OldButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == BCM_SETIMAGELIST) {
        return FALSE;
    }
    return CallWindowProcA(g_buttonProc, window, message, wParam, lParam);
}

// The icon is shown also by a button that was not made in the icon style.
TEST_F(ButtonControlsTest, AButtonThatRefusesImageListsGetsTheIcon) {
    HWND button = AddButton(BS_PUSHBUTTON);
    ASSERT_NE(button, nullptr);
    g_buttonProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldButtonProc)));
    const SButtonImage& next = NextButtonImage();
    SetButtonIcon(m_window, kButtonId, next.imageList, next.icon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(button, BM_GETIMAGE, IMAGE_ICON, 0)),
              next.icon.Get());
    EXPECT_NE(GetWindowLongPtrA(button, GWL_STYLE) & BS_ICON, 0);
    SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_buttonProc));
}

} // namespace
