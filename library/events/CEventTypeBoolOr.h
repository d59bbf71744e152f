#pragma once

#include "library/events/CEventTypeBase.h"

// Result policy of questions that any slot may answer with "yes" (handled, may close):
// the result is true when at least one slot answered true, false without slots. Every
// linked slot is still called after a true answer.
class CEventTypeBoolOr : public CEventTypeBase<bool> {
public:
    ~CEventTypeBoolOr() override;

    void Combine(const bool& answer) override;
    bool GetResult() const override;
    void Reset() override;

private:
    bool m_result = false;
};
