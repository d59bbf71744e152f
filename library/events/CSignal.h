#pragma once

#include <cstddef>
#include <exception>
#include <memory>

#include "library/events/CConnector.h"
#include "library/events/CSlot.h"

// The announcing side of event class E: emitting an event calls every linked CSlot<E> at
// once, on the caller's thread, and folds their answers by E's result policy.
//
// Usage notes:
// - A notifier derives publicly from CSignal<E> once for every event class it emits; slots
//   link themselves to it (CSlot<E>::Connect). An emitter with several signal bases names
//   the base: CSignal<CTraceEndChangedEvent>::Emit(event).
// - The emitter builds the event on its own stack, starting at the policy's initial result,
//   and hands it to Emit(); handlers get it by reference and keep nothing of it.
// - A handler may destroy slots. It may destroy the emitting signal only where the emitter
//   hands Emit() a token that dies with the signal (a handler that lets messages run, a file
//   dialog or a message box, may let the notifier be closed and deleted): the emission then
//   ends at once and touches the signal no more, and the emitter checks the token before it
//   touches itself again. Without a token the signal must outlive its emissions.
// - A copied signal is unlinked.
template <class E> class CSignal : private CConnector {
public:
    using Result = typename CSlot<E>::Result;

    CSignal() noexcept = default;
    CSignal(const CSignal&) noexcept = default;
    CSignal& operator=(const CSignal&) noexcept = default;
    ~CSignal() override = default;

    // Calls every linked slot in ascending address order and returns the folded result (the
    // policy's initial result without slots). Every slot is called, whatever it answers.
    // After each call the walk continues at the lowest slot above the one just called, so a
    // handler may unlink or destroy any slot; slots linked meanwhile are heard when they sort
    // above the current one, a slot linked twice is called once. Allocates nothing unless a
    // handler throws. A handler that throws still leaves every later slot its call (a
    // listener that missed an announcement would go on holding what it announced gone);
    // the first exception is passed on once all were called, the others are dropped.
    Result Emit(E& event) {
        return Walk(event, [] { return true; });
    }
    // As Emit(event), where a handler may destroy this signal: alive is a token that dies with
    // it. Once it has died the walk ends, calling no further slot (the signal's links went with
    // it), and returns the answers given so far or passes on the first exception.
    Result Emit(E& event, const std::weak_ptr<const void>& alive) {
        return Walk(event, [&alive] { return !alive.expired(); });
    }

    // The number of linked slots.
    using CConnector::GetNumPeers;

private:
    friend class CSlot<E>;

    template <class Alive> Result Walk(E& event, const Alive& alive) {
        std::exception_ptr failure;
        for (CConnector* peer = GetFirstPeer(); peer != nullptr; peer = GetPeerAbove(peer)) {
            try {
                event.Combine(static_cast<CSlot<E>*>(peer)->OnEvent(event));
            } catch (...) {
                if (!failure) {
                    failure = std::current_exception();
                }
            }
            if (!alive()) {
                break;
            }
        }
        if (failure) {
            std::rethrow_exception(failure);
        }
        return event.GetResult();
    }
};
