#pragma once

#include <type_traits>

#include "library/events/CSlot.h"

// A slot that forwards to a handler of its owner class C, so that a base class and a class
// derived from it can each hear the same event class E with a link and a handler of their own.
//
// Usage notes:
// - Each class of the hierarchy that hears E this way derives publicly from
//   CSlotBridge<E, ItsOwnClass> and passes `this` to the bridge's constructor.
// - Each such class declares its own non-virtual handler `Result OnBridgedEvent(E&)`
//   (overloaded by event class; it forwards to the handler named after the event). The
//   bridge calls C::OnBridgedEvent by its qualified name, so a derived class's overload
//   never replaces the base's, and the bridge refuses to compile when C only inherits the
//   overload for E (it would call the base's handler twice). A derived class that wants the
//   base's handler for its own bridge declares an overload that calls it.
// - Handlers may be private when C befriends the bridges:
//       template <class, class> friend class ::CSlotBridge;
// - An object of the derived class then holds several CSlot<E> bases: link, unlink and count
//   through the bridge's name, e.g. CSlotBridge<E, CMainDlg>::Connect(project).
// - Bridges are not copyable (the owner pointer would point at the original).
template <class E, class C> class CSlotBridge : public CSlot<E> {
public:
    using Result = typename CSlot<E>::Result;

    explicit CSlotBridge(C* owner) noexcept : m_owner(owner) {}
    CSlotBridge(const CSlotBridge&) = delete;
    CSlotBridge& operator=(const CSlotBridge&) = delete;
    ~CSlotBridge() override = default;

protected:
    Result OnEvent(E& event) override {
        static_assert(std::is_same<decltype(HandlerClass(&C::OnBridgedEvent)), C*>::value,
                      "the owner class must declare its own OnBridgedEvent for this event");
        return m_owner->C::OnBridgedEvent(event);
    }

private:
    // Deduces the class that declares the OnBridgedEvent overload taking E&.
    template <class R, class D> static D* HandlerClass(R (D::*)(E&));

    C* m_owner;
};
