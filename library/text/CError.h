#pragma once

// CError: the program's error value, a code and a message text. Result records
// start with the default (code -1, "no error") and get code 1 and a text when
// something fails; project-data code throws one by value for internal
// inconsistencies:
//
//   throw CError(1, CText(40337).GetString());
//
// Codes: -1 no error, 1 an ordinary error, 3 a project file held by another process.

#include <cstdint>
#include <string>

class CError {
public:
    static const int32_t kNoError = -1;

    CError();
    CError(int32_t code, const std::string& text);
    // A null text gives an empty one.
    CError(int32_t code, const char* text);
    CError(const CError& other);
    virtual ~CError();

    CError& operator=(const CError& other);

    int32_t GetCode() const { return m_code; }
    void SetCode(int32_t code) { m_code = code; }
    const std::string& GetText() const { return m_text; }
    void SetText(const std::string& text) { m_text = text; }
    // True when the code is not -1.
    bool IsError() const { return m_code != kNoError; }
    // Back to "no error" with an empty text.
    void Reset();

private:
    int32_t m_code;
    int32_t m_auxiliary; // carried along with copies; nothing reads it
    std::string m_text;
};
