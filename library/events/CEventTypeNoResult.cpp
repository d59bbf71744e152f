#include "library/events/CEventTypeNoResult.h"

CEventTypeNoResult::~CEventTypeNoResult() = default;

void CEventTypeNoResult::Combine(const bool&) {}

bool CEventTypeNoResult::GetResult() const {
    return false;
}

void CEventTypeNoResult::Reset() {}
