#pragma once

// The barrier around the program's own work in every window procedure, and in every
// other function that the system calls from its message code (hook and timer
// procedures, compare functions of controls). A C++ exception must never unwind
// through the system's frames between a message loop and the procedure: the barrier
// stops it there and ends the operation that the window serves instead.
//
//   LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
//       LRESULT result = 0;
//       if (RunBehindBarrier(window, [&] { result = OnMessage(message, wParam, lParam); })) {
//           return result;
//       }
//       return DefWindowProcA(window, message, wParam, lParam); // the neutral answer
//   }
//
// Where an exception stopped at the barrier goes (KeepWindowProcError):
// - a window of a library dialog (the dialog's own window, a control or any other
//   descendant) ends that dialog: its Create (modal) or its message loop (modeless)
//   throws the error again, as for an exception of one of the dialog's own slots;
// - any other window (a hidden message window and its timers, a notification-area
//   icon, a window of no dialog) ends the innermost modal library dialog that the
//   calling thread runs, whose Create throws the error again;
// - while the thread runs no modal library dialog the error waits for the thread: the
//   next library dialog call (Create before it makes a window, RunMessageLoop and
//   PumpMessage after each message) throws it; code that pumps messages itself calls
//   RethrowWindowProcError after dispatching.
// So the error reaches the code that started the operation and, from there, the
// program's top-level handler: it is never swallowed and never crosses system code.
// A dialog keeps the first error that ends it, and only one error waits per thread;
// a later one is dropped as a consequence of the first.
// User-interface threads only, like the dialogs themselves.

#include <windows.h>

#include <exception>

// Hands error on as described above; never throws.
void KeepWindowProcError(HWND window, std::exception_ptr error) noexcept;

// Throws the error that waits for the calling thread, once; nothing when none waits.
void RethrowWindowProcError();

// Runs body, the work of a procedure of window (null: no window, such as a thread
// timer). True when body returned; false when it threw, and then the error went to
// KeepWindowProcError and the caller gives the system its neutral answer.
template <class Body> bool RunBehindBarrier(HWND window, Body&& body) noexcept {
    try {
        body();
        return true;
    } catch (...) {
        KeepWindowProcError(window, std::current_exception());
        return false;
    }
}
