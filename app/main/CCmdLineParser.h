#pragma once

// CCmdLineParser: what the program takes from its command line, the project file to
// open. Options (arguments that begin with "/") are refused, which ends the processing
// of the command line; of several plain arguments the first is the file and the others
// are ignored.
//
//   CCmdLine cmdLine(commandLine);
//   cmdLine.Process(parser);          // the answer is not needed
//   if (parser.HasFile()) Open(parser.GetFile());
//
// The file is kept as it stood on the command line, after the quoting rules; it is not
// made absolute.

#include "library/system/ICmdLineProcessor.h"

#include <string>

class CCmdLineParser : public ICmdLineProcessor {
public:
    CCmdLineParser() = default;

    // Refuses an option (success false, no error text); takes the first plain argument
    // as the file and accepts any later one without looking at it. Never consumes the
    // arguments after the current one.
    CCmdLineResult ProcessArgument(CArguments::const_iterator current,
                                   CArguments::const_iterator end) override;
    ~CCmdLineParser() override = default;

    bool HasFile() const { return m_hasFile; }
    const std::string& GetFile() const { return m_file; }

private:
    bool m_hasFile = false;
    std::string m_file;
};
