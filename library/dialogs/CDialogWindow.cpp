#include "library/dialogs/CDialogWindow.h"

#include "library/dialogs/CDialogRegistry.h"
#include "library/dialogs/CModalScope.h"
#include "library/dialogs/WindowProcBarrier.h"

#include <optional>

CDialogWindow::CDialogWindow() = default;

CDialogWindow::~CDialogWindow() {
    m_destroying = true;
    if (m_state != kClosed) {
        Terminate();
        if (m_state == kOpen) {
            m_state = kClosed;
            EndWindow();
        }
    }
    if (m_window != nullptr) {
        CDialogRegistry::Instance().RemoveDialog(m_window);
    }
}

int CDialogWindow::Create(const SDialogParams& params) {
    if (m_state == kOpen) {
        return -1;
    }
    RethrowWindowProcError();
    m_params = params;
    m_hasCaption = !m_params.caption.empty();
    m_error = nullptr;
    // Without an owner the dialog has none: a modal dialog disables its owner while
    // it runs, and that must never be the desktop window.
    if (m_params.owner != nullptr && !IsWindow(m_params.owner)) {
        m_params.owner = nullptr;
    }

    m_accelerators = nullptr;
    if (m_params.acceleratorId != 0) {
        m_accelerators =
            LoadAcceleratorsA(m_params.instance, MAKEINTRESOURCEA(m_params.acceleratorId));
        if (m_accelerators == nullptr && m_params.fallbackInstance != nullptr) {
            m_accelerators = LoadAcceleratorsA(m_params.fallbackInstance,
                                               MAKEINTRESOURCEA(m_params.acceleratorId));
        }
    }

    const LPCSTR templateName = MAKEINTRESOURCEA(m_params.dialogId);
    HINSTANCE templateModule = FindResourceA(m_params.instance, templateName, RT_DIALOG) != nullptr
                                   ? m_params.instance
                                   : m_params.fallbackInstance;
    if (!m_params.windowClass.empty()) {
        // A failure is not reported: the template decides whether its class exists.
        CDialogRegistry::Instance().RegisterDialogClass(m_params.windowClass, templateModule);
    }

    m_state = kOpen;
    m_terminated = false;
    m_exitCode = 0;
    int answer;
    if (m_params.modal) {
        // A dialog over another window is a modal moment; a modal dialog without an
        // owner is a loop of its own (the main window), not a moment over one.
        std::optional<CModalScope> moment;
        if (m_params.owner != nullptr) {
            moment.emplace();
        }
        CDialogRegistry& registry = CDialogRegistry::Instance();
        const bool hooked = m_accelerators != nullptr && registry.PushAccelerators(this);
        registry.PushModal(this);
        const INT_PTR ended = DialogBoxParamA(templateModule, templateName, m_params.owner,
                                              &DialogProc, reinterpret_cast<LPARAM>(this));
        registry.PopModal(this);
        if (hooked) {
            registry.PopAccelerators(this);
        }
        answer = static_cast<int>(ended);
    } else {
        HWND window = CreateDialogParamA(templateModule, templateName, m_params.owner, &DialogProc,
                                         reinterpret_cast<LPARAM>(this));
        answer = window == nullptr ? -1 : 0;
        if (window != nullptr && m_params.showMode == 1) {
            ShowWindow(window, SW_SHOW);
        } else if (window != nullptr && m_params.showMode == 2) {
            ShowWindow(window, SW_HIDE);
        }
    }
    if (answer == -1 && m_window == nullptr && m_state == kOpen) {
        m_state = kNotCreated; // no window ever came: nothing to terminate
    }
    RethrowError();
    return answer;
}

// A dialog that never had a window has nothing to terminate: its terminate slots
// would store the place of no window.
bool CDialogWindow::Close() {
    if (m_state != kOpen) {
        return false;
    }
    Terminate();
    if (m_state != kOpen) {
        return false;
    }
    m_state = kClosed;
    return EndWindow();
}

bool CDialogWindow::EndWindow() {
    if (m_window == nullptr) {
        return false;
    }
    return m_params.modal ? EndDialog(m_window, m_exitCode) != FALSE
                          : DestroyWindow(m_window) != FALSE;
}

// Marked first, so that a terminate slot that throws is not asked again when the
// window goes.
void CDialogWindow::Terminate() {
    if (m_terminated) {
        return;
    }
    m_terminated = true;
    m_exitCode = 0;
    if (!m_destroying) {
        CDialogTerminateEvent event(m_window);
        CSignal<CDialogTerminateEvent>::Emit(event);
        m_exitCode = event.exitCode;
    }
}

void CDialogWindow::Fail(std::exception_ptr error) {
    if (!m_error) {
        m_error = error;
    }
    if (m_state == kOpen && m_window != nullptr) {
        m_state = kClosed;
        if (m_params.modal) {
            EndDialog(m_window, -1);
        } else {
            DestroyWindow(m_window);
        }
    }
}

void CDialogWindow::RethrowError() {
    if (m_error) {
        std::exception_ptr error = m_error;
        m_error = nullptr;
        std::rethrow_exception(error);
    }
    RethrowWindowProcError();
}

bool CDialogWindow::EndWithError(HWND window, std::exception_ptr error) {
    CDialogWindow* dialog = CDialogRegistry::Instance().FindHolder(window);
    if (dialog == nullptr) {
        return false;
    }
    dialog->Fail(error);
    return true;
}

bool CDialogWindow::EndInnermostWithError(std::exception_ptr error) {
    CDialogWindow* dialog = CDialogRegistry::Instance().GetInnermostModal();
    if (dialog == nullptr) {
        return false;
    }
    dialog->Fail(error);
    return true;
}

// Keys go to the accelerators first: the dialog manager takes every message of the
// dialog's own windows, so accelerators asked after it would never fire.
void CDialogWindow::ProcessMessage(MSG& msg) {
    const bool alive = m_window != nullptr && IsWindow(m_window);
    if (alive && m_accelerators != nullptr &&
        (msg.hwnd == m_window || IsChild(m_window, msg.hwnd)) &&
        TranslateAcceleratorA(m_window, m_accelerators, &msg) != 0) {
        return;
    }
    if (alive && IsDialogMessageA(m_window, &msg)) {
        return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

int CDialogWindow::RunMessageLoop() {
    MSG msg;
    BOOL got;
    while ((got = GetMessageA(&msg, nullptr, 0, 0)) != 0) {
        if (got != -1) {
            ProcessMessage(msg);
        }
    }
    RethrowError();
    return 0;
}

bool CDialogWindow::PumpMessage(bool peek) {
    MSG msg;
    bool quit;
    if (peek) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            return false;
        }
        quit = msg.message == WM_QUIT;
    } else {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == -1) {
            return false;
        }
        quit = got == 0;
    }
    if (!quit) {
        ProcessMessage(msg);
    }
    RethrowError();
    return quit;
}

void CDialogWindow::OnInitDialog() {}

bool CDialogWindow::OnSize(int) {
    return false;
}

void CDialogWindow::OnSizeSet(const SSize&) {}

bool CDialogWindow::OnSizing(RECT*, int) {
    return false;
}
