#include "library/windows/CDesktopWaiter.h"

#include "library/system/CDLLLoader.h"

#include <algorithm>
#include <vector>

namespace {

const UINT kPollMs = 500;
const DWORD kDesktopReadObjects = 1; // DESKTOP_READOBJECTS

using OpenInputDesktopFn = HDESK(WINAPI*)(DWORD, BOOL, ACCESS_MASK);
using GetUserObjectInformationFn = BOOL(WINAPI*)(HANDLE, int, PVOID, DWORD, LPDWORD);
using CloseDesktopFn = BOOL(WINAPI*)(HDESK);

struct SDesktopFunctions {
    OpenInputDesktopFn openInputDesktop = nullptr;
    GetUserObjectInformationFn getUserObjectInformation = nullptr;
    CloseDesktopFn closeDesktop = nullptr;

    bool IsComplete() const {
        return openInputDesktop != nullptr && getUserObjectInformation != nullptr &&
               closeDesktop != nullptr;
    }
};

// void (*)() is the neutral type that entry points are cast through.
template <class F> F FindFunction(const CDLLLoader& library, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(library.GetFunction(name)));
}

// Looked up once, by the first waiter. The loader is never destroyed: the static
// activator's waiter may outlive any other static at exit.
const SDesktopFunctions& DesktopFunctions() {
    static const SDesktopFunctions functions = [] {
        SDesktopFunctions found;
        static CDLLLoader* user32 = new CDLLLoader("user32.dll");
        found.openInputDesktop = FindFunction<OpenInputDesktopFn>(*user32, "OpenInputDesktop");
        found.getUserObjectInformation =
            FindFunction<GetUserObjectInformationFn>(*user32, "GetUserObjectInformationA");
        found.closeDesktop = FindFunction<CloseDesktopFn>(*user32, "CloseDesktop");
        return found;
    }();
    return functions;
}

} // namespace

CDesktopWaiter::CDesktopWaiter() {
    DesktopFunctions();
    CSlot<CTimerWentOffEvent>::Connect(&m_timer);
}

CDesktopWaiter::~CDesktopWaiter() {
    m_timer.Stop(false);
}

bool CDesktopWaiter::IsDesktopCheckAvailable() {
    return DesktopFunctions().IsComplete();
}

std::string CDesktopWaiter::GetDesktopName(HDESK desktop) {
    const SDesktopFunctions& functions = DesktopFunctions();
    if (!functions.IsComplete() || desktop == nullptr) {
        return std::string();
    }
    std::vector<char> buffer(256, '\0');
    DWORD needed = 0;
    if (!functions.getUserObjectInformation(desktop, UOI_NAME, buffer.data(), 255, &needed)) {
        // A name longer than the first buffer: once more with the size asked for.
        if (needed == 0 || needed > 0x10000) {
            return std::string();
        }
        buffer.assign(static_cast<size_t>(needed) + 1, '\0');
        if (!functions.getUserObjectInformation(desktop, UOI_NAME, buffer.data(), needed,
                                                &needed)) {
            return std::string();
        }
    }
    // The reported length counts the terminating zero (some systems report the
    // size of the wide name): the name ends at the first zero within the buffer.
    const auto end = buffer.begin() + std::min<size_t>(needed, buffer.size() - 1);
    return std::string(buffer.begin(), std::find(buffer.begin(), end, '\0'));
}

bool CDesktopWaiter::QuerySystem() {
    const SDesktopFunctions& functions = DesktopFunctions();
    if (!functions.IsComplete()) {
        return true;
    }
    SetLastError(0);
    HDESK input = functions.openInputDesktop(0, FALSE, kDesktopReadObjects);
    if (input == nullptr) {
        // A reported failure is no reason to hold the window back; a silent one
        // means the input desktop is out of reach (a secure desktop has it).
        return GetLastError() != 0;
    }
    const std::string ours = GetDesktopName(GetThreadDesktop(GetCurrentThreadId()));
    const std::string inputName = GetDesktopName(input);
    functions.closeDesktop(input);
    return ours == inputName;
}

bool CDesktopWaiter::IsUserOnOurDesktop() const {
    return m_check ? m_check() : QuerySystem();
}

bool CDesktopWaiter::WaitForUser(HWND timerWindow) {
    if (IsUserOnOurDesktop()) {
        return false;
    }
    // A poll whose window has gone would never end: start it afresh.
    if (m_waiting && IsWindow(m_timer.GetWindow())) {
        return true;
    }
    m_waiting = false;
    if (!m_timer.SetWindow(timerWindow) || m_timer.Start(kPollMs) == 0) {
        m_timer.Stop(false);
        m_timer.SetWindow(nullptr);
        return false;
    }
    m_waiting = true;
    return true;
}

bool CDesktopWaiter::OnTimerWentOff(CTimerWentOffEvent&) {
    if (!IsUserOnOurDesktop()) {
        return true;
    }
    m_timer.Stop(false);
    m_waiting = false;
    CUserOnOurDesktopEvent event;
    CSignal<CUserOnOurDesktopEvent>::Emit(event);
    return true;
}
