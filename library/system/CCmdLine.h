#pragma once

// CCmdLine: the program's command line split by the quoting rules of the Windows
// runtime library (backslashes count only before a double quote; an even number of
// them toggles quoting, an odd number gives a literal quote).
//
//   CCmdLine cmdLine(lpCmdLine);            // the text without the program name
//   if (!cmdLine.Process(parser)) Show(cmdLine.GetErrorText());

#include "library/system/ICmdLineProcessor.h"

#include <map>
#include <string>

class CCmdLine {
public:
    // Splits at once; a null text gives no arguments.
    explicit CCmdLine(const char* text);
    virtual ~CCmdLine() = default;

    // Offers every argument not consumed by an earlier one, in order, until the
    // processor refuses one. True when all were accepted.
    bool Process(ICmdLineProcessor& processor);

    bool HasOption(const std::string& name) const;
    // The option's argument, or an empty argument when there is no such option.
    const SCmdLineArgument& GetOption(const std::string& name) const;

    const std::string& GetErrorText() const { return m_errorText; }
    bool HasFailed() const { return m_failed; }
    size_t GetNumArguments() const { return m_arguments.size(); }
    // The argument at index, or an empty argument when out of range.
    const SCmdLineArgument& GetArgument(size_t index) const;

private:
    void Split(const char* text);
    void AddArgument(std::string& text);

    bool m_failed = false;
    std::string m_errorText;
    ICmdLineProcessor::CArguments m_arguments;
    std::map<std::string, size_t> m_options; // lower-cased option text -> index
};
