#pragma once

// The result policy of an event class: how the answers of the slots that hear one emission
// fold into the single result that CSignal<E>::Emit returns.
//
// Usage notes:
// - Every event class derives publicly from exactly one policy class (CEventTypeBoolOr,
//   CEventTypeNoResult, or a policy of its own built on CEventTypeBase<T>); the slots of
//   that event answer with a T, and Emit returns a T.
// - An event object starts at the policy's initial result and serves one emission.
template <class T> class CEventTypeBase {
public:
    using ResultType = T;

    virtual ~CEventTypeBase() = default;

    // Folds one slot's answer into the result.
    virtual void Combine(const T& answer) = 0;
    // The result folded so far (the initial result before any answer).
    virtual T GetResult() const = 0;
    // Returns to the initial result.
    virtual void Reset() = 0;
};
