#pragma once

#include "library/events/CEventTypeBase.h"

// Result policy of announcements: the slots' answers are ignored and the result is always
// false.
class CEventTypeNoResult : public CEventTypeBase<bool> {
public:
    ~CEventTypeNoResult() override;

    void Combine(const bool& answer) override;
    bool GetResult() const override;
    void Reset() override;
};
