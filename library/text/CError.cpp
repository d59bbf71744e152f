#include "library/text/CError.h"

CError::CError() : m_code(kNoError), m_auxiliary(0) {}

CError::CError(int32_t code, const std::string& text)
    : m_code(code), m_auxiliary(0), m_text(text) {}

CError::CError(int32_t code, const char* text)
    : m_code(code), m_auxiliary(0), m_text(text ? text : "") {}

CError::CError(const CError& other) = default;

CError::~CError() = default;

CError& CError::operator=(const CError& other) = default;

void CError::Reset() {
    m_code = kNoError;
    m_auxiliary = 0;
    m_text.clear();
}
