// The harness drives a plain dialog of its own: steps, message boxes, the watchdog
// and pictures must work before any program dialog relies on them.

#include "harness/CUiScript.h"
#include "harness/UiControls.h"
#include "harness/WindowPicture.h"

#include "SelfTestIds.h"

#include <commctrl.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

using namespace harness;

namespace {

struct SDialogState {
    int askAnswer = 0;
    int disabledPresses = 0;
};

INT_PTR CALLBACK TestDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    SDialogState* state = reinterpret_cast<SDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        HWND list = GetDlgItem(dialog, IDC_LIST);
        ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES);
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 100;
        column.pszText = const_cast<char*>("Name");
        SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
        column.pszText = const_cast<char*>("Hours");
        SendMessageA(list, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
        const char* rows[][2] = {{"Design", "3"}, {"Build", "5"}, {"Test", "2"}};
        for (int i = 0; i < 3; ++i) {
            LVITEMA item = {};
            item.mask = LVIF_TEXT;
            item.iItem = i;
            item.pszText = const_cast<char*>(rows[i][0]);
            SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            item.iSubItem = 1;
            item.pszText = const_cast<char*>(rows[i][1]);
            SendMessageA(list, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
        }
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_ASK:
            state->askAnswer = MessageBoxA(dialog, "Save changes to the project?",
                                           "Tallymarks - Test", MB_YESNO | MB_ICONQUESTION);
            return TRUE;
        case IDC_DISABLED:
            ++state->disabledPresses;
            return TRUE;
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

INT_PTR ShowTestDialog(SDialogState& state) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SELFTEST), nullptr,
                           &TestDialogProc, reinterpret_cast<LPARAM>(&state));
}

class CUiScriptTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
    }
};

TEST_F(CUiScriptTest, StepsDriveTheDialogAndAnswerItsMessageBox) {
    SDialogState state;
    INT_PTR result = 0;
    bool checked = false;
    std::string edited, cell;
    int rows = 0;
    CUiScript script;
    script.Do([] { Click(ActiveWindow(), IDC_CHECK); })
        .Do([] { SetItemText(ActiveWindow(), IDC_EDIT, "Reviewed"); })
        .Do([] { SelectListRow(ActiveWindow(), IDC_LIST, 1); })
        .AnswerMessageBox(IDYES, "Save changes")
        .Do([] { Click(ActiveWindow(), IDC_ASK); })
        .WaitFor([&] { return state.askAnswer != 0; }, 5000, "the answer")
        .Do([&] {
            HWND dialog = FindThreadWindow("Harness test");
            checked = IsChecked(dialog, IDC_CHECK);
            edited = GetItemText(dialog, IDC_EDIT);
            rows = GetListRowCount(dialog, IDC_LIST);
            cell = GetListCell(dialog, IDC_LIST, 1, 1);
            Click(dialog, IDOK);
        });
    script.Run([&] { result = ShowTestDialog(state); });

    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(checked);
    EXPECT_EQ(edited, "Reviewed");
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(cell, "5");
    EXPECT_EQ(state.askAnswer, IDYES);
    ASSERT_EQ(script.GetMessageBoxes().size(), 1u);
    const SMessageBoxRecord& box = script.GetMessageBoxes()[0];
    EXPECT_EQ(box.caption, "Tallymarks - Test");
    EXPECT_EQ(box.text, "Save changes to the project?");
    EXPECT_EQ(box.buttons, std::vector<int>({IDYES, IDNO}));
    EXPECT_EQ(box.icon, static_cast<UINT>(MB_ICONQUESTION));
    EXPECT_EQ(box.answer, IDYES);
}

// Runs a script with failures recorded instead of reported, and returns them.
std::vector<std::string> FailuresOf(CUiScript& script, const std::function<void()>& modal) {
    ::testing::TestPartResultArray results;
    {
        ::testing::ScopedFakeTestPartResultReporter reporter(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
        script.Run(modal);
    }
    std::vector<std::string> messages;
    for (int i = 0; i < results.size(); ++i) {
        messages.push_back(results.GetTestPartResult(i).message());
    }
    return messages;
}

bool Contains(const std::vector<std::string>& messages, const std::string& part) {
    for (const std::string& message : messages) {
        if (message.find(part) != std::string::npos) {
            return true;
        }
    }
    return false;
}

TEST_F(CUiScriptTest, UnexpectedMessageBoxIsRefusedAndFails) {
    SDialogState state;
    CUiScript script;
    script.Do([] { Click(ActiveWindow(), IDC_ASK); })
        .WaitFor([&] { return state.askAnswer != 0; })
        .Do([] { Click(ActiveWindow(), IDOK); });
    const auto failures = FailuresOf(script, [&] { ShowTestDialog(state); });
    EXPECT_TRUE(Contains(failures, "unexpected message box")) << failures.size();
    EXPECT_EQ(state.askAnswer, IDNO);
}

TEST_F(CUiScriptTest, DisabledButtonIsNotPressed) {
    SDialogState state;
    CUiScript script;
    script.Do([] { Click(ActiveWindow(), IDC_DISABLED); }).Do([] {
        Click(ActiveWindow(), IDCANCEL);
    });
    const auto failures = FailuresOf(script, [&] { ShowTestDialog(state); });
    EXPECT_TRUE(Contains(failures, "is disabled"));
    EXPECT_EQ(state.disabledPresses, 0);
}

TEST_F(CUiScriptTest, WatchdogEndsAForgottenDialog) {
    SDialogState state;
    INT_PTR result = 0;
    CUiScript script(800);
    const DWORD start = GetTickCount();
    const auto failures = FailuresOf(script, [&] { result = ShowTestDialog(state); });
    EXPECT_TRUE(Contains(failures, "watchdog"));
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_LT(GetTickCount() - start, 10000u);
}

TEST_F(CUiScriptTest, PictureOfTheDialogIsWritten) {
    SDialogState state;
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "harness-picture.bmp";
    DeleteFileA(path.c_str());
    bool saved = false;
    RECT rect = {};
    CUiScript script;
    script.Do([&] {
        GetWindowRect(ActiveWindow(), &rect);
        saved = SaveWindowPicture(ActiveWindow(), path);
        Click(ActiveWindow(), IDOK);
    });
    script.Run([&] { ShowTestDialog(state); });
    ASSERT_TRUE(saved);

    FILE* in = std::fopen(path.c_str(), "rb");
    ASSERT_NE(in, nullptr);
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
    ASSERT_EQ(std::fread(&file, sizeof(file), 1, in), 1u);
    ASSERT_EQ(std::fread(&info, sizeof(info), 1, in), 1u);
    std::vector<unsigned char> pixels(file.bfSize - file.bfOffBits);
    ASSERT_EQ(std::fread(pixels.data(), 1, pixels.size(), in), pixels.size());
    std::fclose(in);
    EXPECT_EQ(file.bfType, 0x4D42);
    EXPECT_EQ(info.biWidth, rect.right - rect.left);
    EXPECT_EQ(info.biHeight, rect.bottom - rect.top);
    // A drawn dialog has more than one colour (frame, face, text).
    bool varied = false;
    for (size_t i = 3; i < pixels.size() && !varied; i += 3) {
        varied = pixels[i] != pixels[0] || pixels[i + 1] != pixels[1];
    }
    EXPECT_TRUE(varied);
    DeleteFileA(path.c_str());
}

} // namespace
