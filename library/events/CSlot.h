#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>

#include "library/events/CConnector.h"

template <class E> class CSignal;

// The listening side of event class E: a slot is linked with signals of the same E and its
// OnEvent() runs for every event that such a signal emits.
//
// Usage notes:
// - A listener derives publicly from CSlot<E> once for every event class it hears and
//   overrides OnEvent(E&) for each (the overloads differ by event class). Each override
//   forwards to a handler named after the event, so the listener's code reads by event:
//       bool OnEvent(CTraceEndChangedEvent& event) override { return OnTraceEndChanged(event); }
// - OnEvent returns the result type of E's policy (bool for CEventTypeBoolOr and
//   CEventTypeNoResult); the signal folds the answers by that policy.
// - Link with CSlot<E>::Connect(signal), typically in the constructor or when the listener
//   binds to an object; unlink with Disconnect or DisconnectAll. A listener with several
//   slot bases names the base: CSlot<CProjectSavedEvent>::Connect(project). Links go away
//   by themselves when either side is destroyed.
// - During an emission a handler may disconnect or destroy its own slot, or any other slot of
//   the same signal; slots linked during the emission hear it when their address is above
//   the slot being called. It may destroy the emitting signal only where the emission was
//   given a token that dies with it (see CSignal).
// - A copied slot is unlinked.
template <class E> class CSlot : private CConnector {
public:
    // The answer type of E's result policy.
    using Result = std::decay_t<decltype(std::declval<E&>().GetResult())>;

    CSlot() noexcept = default;
    CSlot(const CSlot&) noexcept = default;
    CSlot& operator=(const CSlot&) noexcept = default;
    ~CSlot() override = default;

    // Links this slot with signal; false for a null signal. A pair must not be linked twice.
    bool Connect(CSignal<E>* signal) { return CConnector::Connect(AsConnector(signal)); }
    // Unlinks the pair; false when it was not linked (or was linked more than once, in which
    // case every entry still goes). A null signal gives false.
    bool Disconnect(CSignal<E>* signal) noexcept {
        return CConnector::Disconnect(AsConnector(signal));
    }
    // Unlinks every signal; false when some pair was linked more than once.
    bool DisconnectAll() noexcept { return CConnector::DisconnectAll(); }
    // The number of linked signals.
    using CConnector::GetNumPeers;

protected:
    // The handler: runs once for every event that a linked signal emits.
    virtual Result OnEvent(E& event) = 0;

private:
    friend class CSignal<E>;

    static CConnector* AsConnector(CSignal<E>* signal) noexcept {
        return signal == nullptr ? nullptr : static_cast<CConnector*>(signal);
    }
};

// A slot and its signal are used together; either header gives both.
#include "library/events/CSignal.h"
