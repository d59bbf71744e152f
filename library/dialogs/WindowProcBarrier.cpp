#include "library/dialogs/WindowProcBarrier.h"

#include "library/dialogs/CDialogWindow.h"

#include <utility>

namespace {

std::exception_ptr& WaitingError() {
    thread_local std::exception_ptr waiting;
    return waiting;
}

} // namespace

void KeepWindowProcError(HWND window, std::exception_ptr error) noexcept {
    if (!error) {
        return;
    }
    if (window != nullptr && CDialogWindow::EndWithError(window, error)) {
        return;
    }
    if (CDialogWindow::EndInnermostWithError(error)) {
        return;
    }
    std::exception_ptr& waiting = WaitingError();
    if (!waiting) {
        waiting = std::move(error);
    }
}

void RethrowWindowProcError() {
    std::exception_ptr& waiting = WaitingError();
    if (waiting) {
        std::rethrow_exception(std::exchange(waiting, nullptr));
    }
}
