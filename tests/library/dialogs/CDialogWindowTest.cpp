#include "library/dialogs/CDialogWindow.h"

#include "CTestDialog.h"
#include "DialogTestHelpers.h"
#include "DialogTestIds.h"
#include "harness/CUiScript.h"
#include "harness/UiControls.h"
#include "library/text/CError.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using harness::Click;
using harness::CUiScript;

namespace {

std::string ClassNameOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

TEST(CDialogWindowTest, TerminateRunsOnceAndGivesTheExitCode) {
    CTestDialog dialog;
    dialog.exitCodeToSet = 5;
    bool first = false, second = true;
    std::string caption;
    CUiScript script;
    script.Do([&] {
        caption = harness::GetText(dialog.GetHwnd());
        first = dialog.Close();
        second = dialog.Close();
    });
    SDialogParams params = CTestDialog::Params(IDD_MAIN);
    params.caption = "Given caption";
    int exitCode = 0;
    script.Run([&] { exitCode = dialog.Create(params); });

    EXPECT_EQ(exitCode, 5);
    EXPECT_EQ(caption, "Given caption");
    EXPECT_TRUE(first);
    EXPECT_FALSE(second);
    EXPECT_FALSE(dialog.Close());
    EXPECT_EQ(dialog.initializations, 1);
    EXPECT_EQ(dialog.terminations, 1);
    EXPECT_EQ(dialog.GetState(), CDialogWindow::kClosed);
    EXPECT_FALSE(dialog.HasWindow());

    // A missing template: no window, no event, nothing to close.
    for (bool modal : {true, false}) {
        CTestDialog missing;
        params.dialogId = 9999;
        params.modal = modal;
        EXPECT_EQ(missing.Create(params), -1);
        EXPECT_FALSE(missing.Close());
        EXPECT_EQ(missing.GetState(), CDialogWindow::kNotCreated);
        EXPECT_EQ(missing.initializations + missing.terminations, 0);
    }
}

TEST(CDialogWindowTest, OnlyUnhandledCommandsReachTheMessageSlots) {
    CTestDialog dialog;
    std::vector<LRESULT> seen; // command id * 100 + the result so far
    dialog.onCommand = [](CDialogCommandEvent& event) {
        event.result = 7;
        return event.controlId == 3001;
    };
    dialog.onMessage = [&](CDialogMessageEvent& event) {
        if (event.message == WM_COMMAND && LOWORD(event.wParam) > 3000) {
            seen.push_back(static_cast<LRESULT>(event.wParam) * 100 + event.result);
        }
        return false;
    };
    CModeless open(dialog, IDD_MAIN);
    SendMessageA(dialog.GetHwnd(), WM_COMMAND, 3001, 0);
    SendMessageA(dialog.GetHwnd(), WM_COMMAND, 3002, 0);
    EXPECT_EQ(seen, std::vector<LRESULT>({300207}));
}

// A refusal of the end of the session must arrive as 0: a dialog procedure that
// answered with the result itself would have its 0 read as "not handled" (consent).
TEST(CDialogWindowTest, HandledMessagesAnswerThroughTheMessageResult) {
    const struct {
        UINT message;
        bool handled;
        LRESULT result;
        LRESULT expected;
    } cases[] = {
        {WM_QUERYENDSESSION, true, 0, 0},  {WM_QUERYENDSESSION, true, 1, 1},
        {WM_QUERYENDSESSION, false, 0, 1}, {WM_APP + 1, true, 42, 42},
        {WM_APP + 1, false, 42, 0},
    };
    for (const auto& test : cases) {
        CTestDialog dialog;
        dialog.onMessage = [&](CDialogMessageEvent& event) {
            if (event.message != test.message) {
                return false;
            }
            event.result = test.result;
            return test.handled;
        };
        CModeless open(dialog, IDD_MAIN);
        EXPECT_EQ(SendMessageA(dialog.GetHwnd(), test.message, 0, 0), test.expected)
            << test.message << " handled " << test.handled << " result " << test.result;
    }
}

// The nested dialog runs with and without accelerators of its own. Keys typed in it
// never fire the owner's accelerators, and the owner's work again after it closed.
TEST(CDialogWindowTest, AcceleratorsServeOnlyTheDialogThatHoldsTheKey) {
    for (int nestedTable : {0, IDA_NESTED}) {
        CTestDialog outer, nested;
        CUiScript script;
        script.Do([&] { PressKey(GetDlgItem(outer.GetHwnd(), IDC_NAME), VK_F5); })
            .WaitFor([&] { return CountOf(outer.commands, IDM_REFRESH) == 1; }, 2000, "F5")
            .Do([&] {
                SDialogParams params = CTestDialog::Params(IDD_NESTED, nestedTable);
                params.owner = outer.GetHwnd();
                nested.Create(params);
            })
            .Do([&] {
                PressKey(GetDlgItem(nested.GetHwnd(), IDC_NAME), VK_F5);
                PressKey(GetDlgItem(nested.GetHwnd(), IDC_NAME), VK_F6);
            })
            .Do([&] {
                EXPECT_EQ(CountOf(outer.commands, IDM_REFRESH), 1) << "owner's key from nested";
                EXPECT_EQ(CountOf(nested.commands, IDM_NESTED), nestedTable != 0 ? 1 : 0);
                Click(nested.GetHwnd(), IDCANCEL);
            })
            .Do([&] {
                PressKey(GetDlgItem(outer.GetHwnd(), IDC_NAME), VK_F6);
                PressKey(GetDlgItem(outer.GetHwnd(), IDC_NAME), VK_F5);
            })
            .WaitFor([&] { return CountOf(outer.commands, IDM_REFRESH) == 2; }, 2000,
                     "F5 after the nested dialog")
            .Do([&] {
                EXPECT_EQ(CountOf(outer.commands, IDM_NESTED), 0);
                Click(outer.GetHwnd(), IDCANCEL);
            });
        script.Run([&] { outer.Create(CTestDialog::Params(IDD_MAIN, IDA_MAIN)); });
    }
}

// What a slot throws ends its dialog (and the dialogs around it) and leaves Create.
TEST(CDialogWindowTest, AnExceptionEndsTheDialogAndLeavesCreate) {
    CTestDialog outer, nested;
    nested.onInitialize = [] { throw CError(1, "nested failed"); };
    outer.onCommand = [&](CDialogCommandEvent& event) {
        if (event.controlId == IDM_OPEN_NESTED) {
            nested.Create(CTestDialog::Params(IDD_NESTED));
        } else if (event.controlId == IDM_THROW) {
            throw std::runtime_error("command failed");
        }
        return false;
    };
    for (WORD command : {IDM_OPEN_NESTED, IDM_THROW}) {
        std::string caught;
        CUiScript script;
        script.Do([&] { PostMessageA(outer.GetHwnd(), WM_COMMAND, command, 0); });
        script.Run([&] {
            try {
                outer.Create(CTestDialog::Params(IDD_MAIN));
            } catch (const CError& error) {
                caught = error.GetText();
            } catch (const std::exception& error) {
                caught = error.what();
            }
        });
        EXPECT_EQ(caught, command == IDM_THROW ? "command failed" : "nested failed");
        EXPECT_FALSE(outer.HasWindow());
        EXPECT_FALSE(nested.HasWindow());
    }

    CTestDialog modeless;
    modeless.onCommand = outer.onCommand;
    CModeless open(modeless, IDD_MAIN);
    PostMessageA(modeless.GetHwnd(), WM_COMMAND, IDM_THROW, 0);
    EXPECT_THROW(modeless.RunMessageLoop(), std::runtime_error);
    EXPECT_EQ(modeless.GetState(), CDialogWindow::kClosed);
}

TEST(CDialogWindowTest, ModelessDialogEndsTheLoopWithItsExitCode) {
    CTestDialog dialog;
    dialog.exitCodeToSet = 9;
    CModeless open(dialog, IDD_MAIN, true);
    PostMessageA(dialog.GetHwnd(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(dialog.RunMessageLoop(), 0);
    EXPECT_EQ(dialog.GetExitCode(), 9);
    EXPECT_EQ(dialog.terminations, 1);
    EXPECT_FALSE(dialog.PumpMessage(true)); // nothing waiting
    PostQuitMessage(0);
    EXPECT_TRUE(dialog.PumpMessage(false));
}

// Monitors left of or above the primary one have negative screen coordinates.
TEST(CDialogWindowTest, SizeGripAnswersOnlyInsideItsTriangle) {
    CTestDialog dialog;
    CModeless open(dialog, IDD_MAIN, false, true);
    const int cx = GetSystemMetrics(SM_CXSIZE);
    const int cy = GetSystemMetrics(SM_CYSIZE);
    for (POINT place : {POINT{40, 30}, POINT{-900, -700}}) {
        SetWindowPos(dialog.GetHwnd(), nullptr, place.x, place.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT client;
        GetClientRect(dialog.GetHwnd(), &client);
        POINT corner{client.right, client.bottom};
        ClientToScreen(dialog.GetHwnd(), &corner);
        const auto hit = [&](int dx, int dy) {
            return SendMessageA(dialog.GetHwnd(), WM_NCHITTEST, 0,
                                MAKELPARAM(corner.x + dx, corner.y + dy));
        };
        EXPECT_EQ(hit(-2, -2), HTBOTTOMRIGHT) << place.x;
        EXPECT_EQ(hit(-cx / 4, -2), HTBOTTOMRIGHT) << place.x;
        EXPECT_NE(hit(-cx + 2, -cy + 2), HTBOTTOMRIGHT) << place.x;
        EXPECT_NE(hit(-cx - 2, -2), HTBOTTOMRIGHT) << place.x;
    }
}

TEST(CDialogWindowTest, PositionsAreKeptOnTheWorkArea) {
    CTestDialog dialog;
    CModeless open(dialog, IDD_MAIN);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    // Only the top-left corner is kept 64 by 32 pixels inside the work area: a wide window
    // left near the right edge comes back there, reaching beyond it as the user left it.
    const struct {
        int x, y, cx, cy;
        LONG expectedX, expectedY;
    } cases[] = {
        {30000, 30000, 0, 0, work.right - 64, work.bottom - 32},
        {-30000, -30000, 0, 0, work.left, work.top},
        {work.left + 20, work.top + 10, 0, 0, work.left + 20, work.top + 10},
        {work.right - 200, work.bottom - 100, 0, 0, work.right - 200, work.bottom - 100},
        {work.right - 200, work.top + 10, 600, 300, work.right - 200, work.top + 10},
        {work.right - 10, work.bottom - 10, 600, 300, work.right - 64, work.bottom - 32},
    };
    for (const auto& test : cases) {
        if (test.cx == 0) {
            dialog.SetPos(test.x, test.y);
        } else {
            dialog.SetRect(test.x, test.y, test.cx, test.cy);
        }
        const POINT pos = dialog.GetPos(false);
        EXPECT_EQ(pos.x, test.expectedX) << test.x << "," << test.cx;
        EXPECT_EQ(pos.y, test.expectedY) << test.y << "," << test.cx;
    }
}

TEST(CDialogWindowTest, ItemTextsOfAnyLength) {
    CTestDialog dialog;
    CModeless open(dialog, IDD_MAIN);
    const std::string longText(600, 'x');
    for (const std::string& given : {longText, std::string(255, 'y'), std::string()}) {
        SetDlgItemTextA(dialog.GetHwnd(), IDC_NAME, given.c_str());
        std::string text = "old";
        EXPECT_TRUE(dialog.GetItemText(IDC_NAME, text, 256));
        EXPECT_EQ(text, given);
    }
    std::string text = "old";
    EXPECT_FALSE(dialog.GetItemText(9999, text));
    EXPECT_EQ(text, "");
}

// The class is registered for the module of the template, which may be a language
// module; making it again unregisters it there.
TEST(CDialogWindowTest, DialogClassBelongsToTheTemplateModule) {
    // A copy of the program stands for a language module with the same templates.
    char program[MAX_PATH], copy[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    GetTempPathA(MAX_PATH, copy);
    const std::string copyPath =
        std::string(copy) + "dialogs-language-" + std::to_string(GetCurrentProcessId()) + ".dll";
    ASSERT_TRUE(CopyFileA(program, copyPath.c_str(), FALSE));
    HMODULE language = LoadLibraryExA(copyPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(language, nullptr);
    WNDCLASSA info;
    for (HINSTANCE templateModule : {language, GetModuleHandleA(nullptr)}) {
        CTestDialog dialog;
        SDialogParams params = CTestDialog::Params(IDD_CLASSED);
        params.instance = templateModule;
        params.windowClass = "TmTestDialogClass";
        std::string className;
        CUiScript script;
        script.Do([&] {
            className = ClassNameOf(dialog.GetHwnd());
            dialog.Close();
        });
        script.Run([&] { dialog.Create(params); });
        EXPECT_EQ(className, "TmTestDialogClass");
        EXPECT_TRUE(GetClassInfoA(templateModule, "TmTestDialogClass", &info));
    }
    EXPECT_FALSE(GetClassInfoA(language, "TmTestDialogClass", &info));
    FreeLibrary(language);
    DeleteFileA(copyPath.c_str());
}

} // namespace
