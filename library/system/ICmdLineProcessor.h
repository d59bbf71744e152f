#pragma once

// The application's side of command-line processing: CCmdLine offers it the
// arguments one after another and it answers for each.

#include <cstddef>
#include <string>
#include <vector>

// One split argument: options are the arguments that begin with "/".
struct SCmdLineArgument {
    bool isOption = false;
    std::string text;

    // True for an option whose text equals name, ignoring case.
    bool IsOption(const char* name) const;
    // True when the text equals, ignoring case, one of the texts of a list that a
    // null pointer ends.
    bool IsOneOf(const char* const* names) const;
};

// A processor's answer for one argument.
struct CCmdLineResult {
    bool success = true;
    // How many of the following arguments the processor used as well; they are not
    // offered again.
    size_t consumed = 0;
    std::string errorText;
};

class ICmdLineProcessor {
public:
    using CArguments = std::vector<SCmdLineArgument>;

    virtual ~ICmdLineProcessor() = default;
    virtual CCmdLineResult ProcessArgument(CArguments::const_iterator current,
                                           CArguments::const_iterator end) = 0;
};
