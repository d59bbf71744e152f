#pragma once

// A stand-in language module for the tests: a copy of the test program whose
// resources are replaced by the given strings and data resources only, loaded as a
// data file. It is a module of its own, with texts that differ from the program's,
// so a lookup that falls back to the program can be told from one that did not.

#include <windows.h>

#include <map>
#include <string>

// The text of the long test strings: `length` letters that differ with the length.
std::string TestPattern(size_t length);

class CTestLanguageModule {
public:
    CTestLanguageModule(const std::map<unsigned int, std::string>& strings,
                        const std::map<unsigned int, std::string>& data);
    CTestLanguageModule(const CTestLanguageModule&) = delete;
    CTestLanguageModule& operator=(const CTestLanguageModule&) = delete;
    ~CTestLanguageModule();

    // Null when the module could not be built.
    HINSTANCE GetInstance() const { return m_module; }

private:
    std::string m_path;
    HMODULE m_module = nullptr;
};
