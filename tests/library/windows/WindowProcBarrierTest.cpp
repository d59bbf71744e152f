// An exception thrown behind a window procedure never crosses it: it ends the dialog
// that the window belongs to, else the innermost modal dialog the thread runs, else it
// waits for the thread's next dialog call.

#include "library/dialogs/WindowProcBarrier.h"

#include "WindowsTestIds.h"
#include "harness/CUiScript.h"
#include "library/dialogs/CDialogWindow.h"
#include "library/dialogs/CListView.h"
#include "library/events/CSlot.h"
#include "library/windows/CInvisibleWindow.h"
#include "library/windows/CSubclassController.h"
#include "library/windows/CSubclassedWindow.h"
#include "library/windows/CTimer.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

namespace {

// Throws text for every WM_GETTEXTLENGTH of the windows it subclasses.
class CThrower : public CSubclassedWindow {
public:
    std::string text = "subclasser failed";
    int seen = 0;
    void OnMessage(CMessage& message) override {
        if (message.message == WM_GETTEXTLENGTH) {
            ++seen;
            throw std::runtime_error(text);
        }
    }
};

// The test dialog: its initialisation and commands run what the test gives it; Cancel
// ends it.
class CBarrierDialog : public CDialogWindow,
                       public CSlot<CDialogInitializeEvent>,
                       public CSlot<CDialogCommandEvent> {
public:
    CBarrierDialog() {
        CSlot<CDialogInitializeEvent>::Connect(this);
        CSlot<CDialogCommandEvent>::Connect(this);
    }
    static SDialogParams Params(bool modal) {
        SDialogParams params;
        params.dialogId = IDD_BARRIER;
        params.instance = GetModuleHandleA(nullptr);
        params.modal = modal;
        return params;
    }
    HWND Field() const { return GetDlgItem(GetHwnd(), IDC_FIELD); }

    std::function<void()> onInitialize;
    std::function<void(WORD)> onCommand;
    int initializations = 0;

protected:
    bool OnEvent(CDialogInitializeEvent&) override {
        ++initializations;
        if (onInitialize) {
            onInitialize();
        }
        return true;
    }
    bool OnEvent(CDialogCommandEvent& event) override {
        if (event.controlId == IDCANCEL) {
            Close();
        } else if (onCommand) {
            onCommand(event.controlId);
        }
        return true;
    }
};

// The text of what call threw, "" when it returned.
std::string ErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "";
}

// A subclasser of a dialog's control throws while the control answers a message that
// the dialog's own slot sent: the slot goes on with the control's own answer (the
// control still had its say), the dialog ends and Create (modal) or the message loop
// (modeless) throws the error. Then the same dialog runs again normally.
TEST(WindowProcBarrierTest, ErrorOfASubclasserEndsTheDialogThatHoldsTheWindow) {
    struct SCase {
        bool modal;
        LRESULT answer; // what the slot's SendMessage gave back
    };
    // A modeless dialog's window goes at once, with the control in it.
    for (const SCase& test : {SCase{true, 3}, SCase{false, 0}}) {
        SCOPED_TRACE(test.modal ? "modal" : "modeless");
        CBarrierDialog dialog;
        CThrower thrower;
        HWND field = nullptr;
        bool slotWentOn = false;
        LRESULT answer = -1;
        dialog.onInitialize = [&] {
            field = dialog.Field();
            SetWindowTextA(field, "abc");
            ASSERT_TRUE(thrower.Subclass(field));
            PostMessageA(dialog.GetHwnd(), WM_COMMAND, IDC_SEND, 0);
        };
        dialog.onCommand = [&](WORD id) {
            if (id == IDC_SEND) {
                answer = SendMessageA(field, WM_GETTEXTLENGTH, 0, 0);
                slotWentOn = true;
            }
        };
        std::string error;
        harness::CUiScript script(10000);
        script.Run([&] {
            error = ErrorOf([&] {
                dialog.Create(CBarrierDialog::Params(test.modal));
                if (!test.modal) {
                    dialog.RunMessageLoop();
                }
            });
        });
        EXPECT_EQ(error, "subclasser failed");
        EXPECT_EQ(thrower.seen, 1);
        EXPECT_TRUE(slotWentOn);
        EXPECT_EQ(answer, test.answer);
        EXPECT_EQ(dialog.GetState(), CDialogWindow::kClosed);
        EXPECT_FALSE(dialog.HasWindow());
        EXPECT_FALSE(IsWindow(field));
        EXPECT_FALSE(CSubclassController::Instance().IsSubclassed(field));

        dialog.onInitialize = [&] { PostMessageA(dialog.GetHwnd(), WM_COMMAND, IDCANCEL, 0); };
        script.Run([&] {
            error = ErrorOf([&] {
                dialog.Create(CBarrierDialog::Params(test.modal));
                if (!test.modal) {
                    dialog.RunMessageLoop();
                }
            });
        });
        EXPECT_EQ(error, "");
        EXPECT_EQ(dialog.initializations, 2);
    }
}

// A timer of the hidden message window belongs to no dialog: its error ends the
// innermost modal dialog (a nested one first, whose Create throws into its opener's
// slot, which ends the opener in turn). The timer and its window stay usable.
TEST(WindowProcBarrierTest, ErrorOfAWindowOfNoDialogEndsTheInnermostModalDialog) {
    CInvisibleWindow invisible(GetModuleHandleA(nullptr));
    ASSERT_NE(invisible.Create(), nullptr);
    class CFailingSlot : public CSlot<CTimerWentOffEvent> {
    public:
        int calls = 0;

    protected:
        bool OnEvent(CTimerWentOffEvent& event) override {
            ++calls;
            event.timer->Stop();
            throw std::runtime_error("timer failed");
        }
    };
    CTimer timer;
    CFailingSlot slot;
    slot.Connect(&timer);
    ASSERT_TRUE(timer.SetWindow(invisible.GetHandle()));

    for (bool nested : {false, true}) {
        SCOPED_TRACE(nested ? "nested" : "one dialog");
        slot.calls = 0;
        CBarrierDialog outer, inner;
        std::string innerError;
        inner.onInitialize = [&] { timer.Start(10); };
        outer.onInitialize = [&] {
            if (nested) {
                PostMessageA(outer.GetHwnd(), WM_COMMAND, IDC_OPEN_INNER, 0);
            } else {
                timer.Start(10);
            }
        };
        outer.onCommand = [&](WORD id) {
            if (id == IDC_OPEN_INNER) {
                innerError = ErrorOf([&] { inner.Create(CBarrierDialog::Params(true)); });
                throw std::runtime_error(innerError);
            }
        };
        std::string error;
        harness::CUiScript script(10000);
        script.Run([&] { error = ErrorOf([&] { outer.Create(CBarrierDialog::Params(true)); }); });
        EXPECT_EQ(error, "timer failed");
        EXPECT_EQ(innerError, nested ? "timer failed" : "");
        EXPECT_EQ(slot.calls, 1);
        EXPECT_FALSE(outer.HasWindow());
        EXPECT_FALSE(inner.HasWindow());
    }
    EXPECT_TRUE(IsWindow(invisible.GetHandle()));
    EXPECT_TRUE(timer.IsSubclassing(invisible.GetHandle()));
}

// The list view's own code calls the compare function while it sorts: an exception of the
// owner's comparison stays out of it, the sort returns and the dialog ends with the error.
TEST(WindowProcBarrierTest, ErrorOfASortComparisonEndsTheDialog) {
    class CFailingOrder : public IListViewSortCallback<int> {
    public:
        int compared = 0;
        int Compare(int*, int*) override {
            ++compared;
            throw std::runtime_error("compare failed");
        }
    };
    CFailingOrder order;
    int items[3] = {3, 1, 2};
    bool sortReturned = false;
    CBarrierDialog dialog;
    dialog.onInitialize = [&] {
        HWND rows = GetDlgItem(dialog.GetHwnd(), IDC_ROWS);
        LVCOLUMNA column = {};
        column.mask = LVCF_WIDTH;
        column.cx = 60;
        SendMessageA(rows, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
        for (int& item : items) {
            LVITEMA row = {};
            row.mask = LVIF_PARAM;
            row.iItem = 0;
            row.lParam = reinterpret_cast<LPARAM>(&item);
            SendMessageA(rows, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
        }
        PostMessageA(dialog.GetHwnd(), WM_COMMAND, IDC_SEND, 0);
    };
    dialog.onCommand = [&](WORD id) {
        if (id == IDC_SEND) {
            SendMessageA(GetDlgItem(dialog.GetHwnd(), IDC_ROWS), LVM_SORTITEMS,
                         reinterpret_cast<WPARAM>(static_cast<IListViewSortCallback<int>*>(&order)),
                         reinterpret_cast<LPARAM>(&CListView<int>::CompareItems));
            sortReturned = true;
        }
    };
    std::string error;
    harness::CUiScript script(10000);
    script.Run([&] { error = ErrorOf([&] { dialog.Create(CBarrierDialog::Params(true)); }); });
    EXPECT_EQ(error, "compare failed");
    EXPECT_GE(order.compared, 1);
    EXPECT_TRUE(sortReturned);
    EXPECT_FALSE(dialog.HasWindow());
}

// With no dialog running the error waits for the thread: the message still gets the
// window's own answer, a second error is dropped, and the first one comes out of the
// next dialog call (before it makes a window) or of RethrowWindowProcError, once.
TEST(WindowProcBarrierTest, ErrorWithNoDialogRunningWaitsForTheThread) {
    HWND plain = CreateWindowExA(0, "STATIC", "abcd", WS_POPUP, 0, 0, 40, 20, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(plain, nullptr);
    CThrower thrower;
    ASSERT_TRUE(thrower.Subclass(plain));

    for (bool throughDialog : {true, false}) {
        SCOPED_TRACE(throughDialog ? "next dialog" : "own loop");
        thrower.text = "first";
        EXPECT_EQ(SendMessageA(plain, WM_GETTEXTLENGTH, 0, 0), 4);
        thrower.text = "second";
        EXPECT_EQ(SendMessageA(plain, WM_GETTEXTLENGTH, 0, 0), 4);
        if (throughDialog) {
            CBarrierDialog dialog;
            EXPECT_EQ(ErrorOf([&] { dialog.Create(CBarrierDialog::Params(true)); }), "first");
            EXPECT_EQ(dialog.initializations, 0);
            EXPECT_EQ(dialog.GetState(), CDialogWindow::kNotCreated);
        } else {
            EXPECT_EQ(ErrorOf(&RethrowWindowProcError), "first");
        }
        EXPECT_EQ(ErrorOf(&RethrowWindowProcError), "");
    }
    EXPECT_EQ(thrower.seen, 4);
    DestroyWindow(plain);
}

} // namespace
