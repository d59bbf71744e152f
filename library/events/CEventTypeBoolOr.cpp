#include "library/events/CEventTypeBoolOr.h"

CEventTypeBoolOr::~CEventTypeBoolOr() = default;

void CEventTypeBoolOr::Combine(const bool& answer) {
    m_result = m_result || answer;
}

bool CEventTypeBoolOr::GetResult() const {
    return m_result;
}

void CEventTypeBoolOr::Reset() {
    m_result = false;
}
