#include "app/main/HandOver.h"

#include "app/main/CHandOverQueue.h"
#include "library/dialogs/CModalScope.h"
#include "model/CProjects.h"

#include "AppMainFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

TEST(HandOverTest, ReadsAPathOnlyWithinTheDeclaredBytes) {
    const std::string longText(40000, 'x');
    const struct {
        const char* what;
        ULONG_PTR kind;
        std::string bytes;
        DWORD size; // declared bytes
        bool nullData;
        bool accepted;
        std::string path;
    } cases[] = {
        {"terminated", 112, std::string("C:\\a b.tmk\0", 11), 11, false, true, "C:\\a b.tmk"},
        {"no terminator", 112, "C:\\a.tmkGARBAGE", 8, false, true, "C:\\a.tmk"},
        {"stops at the first zero", 112, std::string("a.tmk\0b.tmk\0", 12), 12, false, true,
         "a.tmk"},
        {"empty text", 112, std::string("\0rest", 5), 5, false, false, ""},
        {"no bytes", 112, "C:\\a.tmk", 0, false, false, ""},
        {"null data", 112, "", 10, true, false, ""},
        {"show only", 111, std::string("C:\\a.tmk\0", 9), 9, false, false, ""},
        {"unknown kind", 7, std::string("C:\\a.tmk\0", 9), 9, false, false, ""},
        {"longer than any path", 112, longText, static_cast<DWORD>(longText.size()), false, false,
         ""},
    };
    for (const auto& c : cases) {
        std::vector<char> buffer(c.bytes.begin(), c.bytes.end());
        COPYDATASTRUCT data = {};
        data.dwData = c.kind;
        data.cbData = c.size;
        data.lpData = c.nullData || buffer.empty() ? nullptr : buffer.data();
        std::string path = "left over";
        EXPECT_EQ(ReadHandOverPath(data, path), c.accepted) << c.what;
        EXPECT_EQ(path, c.path) << c.what;
    }
}

// A top-level window that writes down the hand-overs it receives.
struct SReceived {
    ULONG_PTR kind = 0;
    DWORD size = 0;
    bool hasData = false;
    std::string bytes;
    int count = 0;
};

SReceived* s_received = nullptr;

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA && s_received != nullptr) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        s_received->kind = data->dwData;
        s_received->size = data->cbData;
        s_received->hasData = data->lpData != nullptr;
        if (data->lpData != nullptr) {
            s_received->bytes.assign(static_cast<const char*>(data->lpData), data->cbData);
        }
        ++s_received->count;
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class CReceiver {
public:
    CReceiver() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &ReceiverProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TmHandOverReceiver";
        RegisterClassA(&windowClass);
        m_window = CreateWindowA("TmHandOverReceiver", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        s_received = &received;
    }
    ~CReceiver() {
        s_received = nullptr;
        DestroyWindow(m_window);
    }
    HWND Window() const { return m_window; }
    SReceived received;

private:
    HWND m_window;
};

std::string WorkingFolder() {
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    std::string text(folder);
    if (!text.empty() && text.back() == '\\') {
        text.pop_back();
    }
    return text;
}

using HandOverRunTest = CAppMainFixture;

TEST_F(HandOverRunTest, ASecondStartHandsItsCompletedFileOrItsWishToTheRunningInstance) {
    const std::string mutexName = "TmHandOverTest_" + std::to_string(GetCurrentProcessId());
    HANDLE firstInstance = CreateMutexA(nullptr, FALSE, mutexName.c_str());
    ASSERT_NE(firstInstance, nullptr);
    const std::string path = WorkingFolder() + "\\plans\\my plan.tmk";
    const struct {
        const char* commandLine;
        ULONG_PTR kind;
        std::string bytes;
    } cases[] = {
        {"\"plans\\my plan.tmk\" second.tmk", kHandOverOpenFile, path + '\0'},
        {"", kHandOverShow, ""},
    };
    for (const auto& c : cases) {
        CReceiver receiver;
        SAppOptions options;
        options.programFolder = m_folder.Path();
        options.mutexName = mutexName;
        options.windowClass = "TmHandOverReceiver";
        CAppMain app(options);
        bool windowAsked = false;
        app.SetMainWindowFactory([&windowAsked](int&) {
            windowAsked = true;
            return std::unique_ptr<IMainWindow>();
        });

        EXPECT_EQ(app.Run(c.commandLine), 0);
        EXPECT_EQ(receiver.received.count, 1);
        EXPECT_EQ(receiver.received.kind, c.kind);
        EXPECT_EQ(receiver.received.size, c.bytes.size());
        EXPECT_EQ(receiver.received.hasData, !c.bytes.empty());
        EXPECT_EQ(receiver.received.bytes, c.bytes);
        EXPECT_FALSE(windowAsked);
        EXPECT_TRUE(app.GetUserSettings().GetFilePath().empty()) << "no settings file opened";
    }
    CloseHandle(firstInstance);
}

// A window whose thread takes no messages until it is released.
struct SBusyReceiver {
    HANDLE created = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HWND window = nullptr;

    static DWORD WINAPI Thread(void* parameter) {
        auto* self = static_cast<SBusyReceiver*>(parameter);
        self->window =
            CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        SetEvent(self->created);
        WaitForSingleObject(self->release, 20000);
        DestroyWindow(self->window);
        return 0;
    }
};

TEST(HandOverTest, AReceiverThatTakesNoMessagesIsGivenUpAfterTheTimeout) {
    SBusyReceiver busy;
    HANDLE thread = CreateThread(nullptr, 0, &SBusyReceiver::Thread, &busy, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    ASSERT_EQ(WaitForSingleObject(busy.created, 10000), WAIT_OBJECT_0);
    ASSERT_NE(busy.window, nullptr);

    const DWORD start = GetTickCount();
    EXPECT_FALSE(SendHandOver(busy.window, false, std::string(), 300));
    EXPECT_LT(GetTickCount() - start, 3000u);

    SetEvent(busy.release);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    CloseHandle(busy.created);
    CloseHandle(busy.release);
}

// Paths handed over during a modal moment wait, a repeated one moves behind the others,
// and beyond the bound the queue takes no more; once no moment runs they open in order.
TEST(HandOverQueueTest, KeepsPathsDuringAModalMomentInOrderAndWithinItsBound) {
    CProjects projects;
    std::vector<std::string> opened;
    struct COpenLog : CSlot<CProjectsAddedEvent> {
        std::vector<std::string>* log;
        bool OnEvent(CProjectsAddedEvent& event) override {
            log->push_back(event.path.GetPath());
            return true;
        }
    } openLog;
    openLog.log = &opened;
    openLog.Connect(&projects);

    CHandOverQueue queue(projects);
    std::vector<bool> taken;
    {
        CModalScope moment;
        taken.push_back(queue.Receive("C:\\missing\\b.wkp"));
        taken.push_back(queue.Receive("C:\\missing\\a.wkp"));
        taken.push_back(queue.Receive("C:\\missing\\B.wkp"));
        for (size_t i = 3; i < CHandOverQueue::kMaxPending + 2; ++i) {
            taken.push_back(queue.Receive("C:\\missing\\p" + std::to_string(i) + ".wkp"));
        }
        EXPECT_TRUE(opened.empty());
        EXPECT_EQ(queue.GetPendingCount(), CHandOverQueue::kMaxPending);
        queue.OpenPending(); // a moment still runs
        EXPECT_TRUE(opened.empty());
    }
    queue.OpenPending();
    EXPECT_EQ(queue.GetPendingCount(), 0u);
    ASSERT_EQ(opened.size(), CHandOverQueue::kMaxPending);
    EXPECT_EQ(opened[0], "C:\\missing\\a.wkp");
    EXPECT_EQ(opened[1], "C:\\missing\\B.wkp");
    EXPECT_EQ(opened[2], "C:\\missing\\p3.wkp");
    const size_t accepted = static_cast<size_t>(std::count(taken.begin(), taken.end(), true));
    EXPECT_EQ(accepted, CHandOverQueue::kMaxPending + 1); // b.wkp was taken twice
    EXPECT_FALSE(taken.back());
}

} // namespace
