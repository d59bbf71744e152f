#pragma once
#include "library/events/CEventTypeBase.h"
#include "model/CProjectBrowser.h"

// Result policy of the question where a project goes: the answer of the last slot that
// heard it wins. Without slots the result is an unconfirmed browser (nothing chosen).
class CEventTypeBrowseResult : public CEventTypeBase<CProjectBrowser> {
public:
    void Combine(const CProjectBrowser& answer) override { m_result = answer; }
    CProjectBrowser GetResult() const override { return m_result; }
    void Reset() override { m_result.Reset(); }

private:
    CProjectBrowser m_result;
};
