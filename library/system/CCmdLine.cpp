#include "library/system/CCmdLine.h"

#include <cctype>

namespace {

const SCmdLineArgument& EmptyArgument() {
    static const SCmdLineArgument empty;
    return empty;
}

std::string ToLower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

bool EqualNoCase(const std::string& a, const char* b) {
    return b != nullptr && ToLower(a) == ToLower(b);
}

} // namespace

bool SCmdLineArgument::IsOption(const char* name) const {
    return isOption && EqualNoCase(text, name);
}

bool SCmdLineArgument::IsOneOf(const char* const* names) const {
    for (; names != nullptr && *names != nullptr; ++names) {
        if (EqualNoCase(text, *names)) {
            return true;
        }
    }
    return false;
}

CCmdLine::CCmdLine(const char* text) {
    if (text != nullptr) {
        Split(text);
    }
}

void CCmdLine::Split(const char* text) {
    std::string current;
    size_t backslashes = 0;
    bool quoting = false;
    for (const char* p = text;; ++p) {
        const char c = *p;
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            current.append(backslashes / 2, '\\');
            if (backslashes % 2 == 1) {
                current += '"';
            } else {
                quoting = !quoting;
            }
            backslashes = 0;
            continue;
        }
        current.append(backslashes, '\\');
        backslashes = 0;
        if (c == '\0') {
            AddArgument(current);
            return;
        }
        if ((c == ' ' || c == '\t') && !quoting) {
            AddArgument(current);
        } else {
            current += c;
        }
    }
}

// An empty argument (also a quoted empty one) is dropped.
void CCmdLine::AddArgument(std::string& text) {
    if (text.empty()) {
        return;
    }
    SCmdLineArgument argument;
    argument.isOption = text[0] == '/';
    argument.text.swap(text);
    if (argument.isOption) {
        m_options[ToLower(argument.text)] = m_arguments.size();
    }
    m_arguments.push_back(std::move(argument));
    text.clear();
}

bool CCmdLine::Process(ICmdLineProcessor& processor) {
    m_failed = false;
    m_errorText.clear();
    auto current = m_arguments.cbegin();
    const auto end = m_arguments.cend();
    while (current != end) {
        const CCmdLineResult result = processor.ProcessArgument(current, end);
        if (!result.success) {
            m_failed = true;
            m_errorText = result.errorText;
            return false;
        }
        // A processor cannot consume more than remains.
        const size_t remaining = static_cast<size_t>(end - current) - 1;
        current += 1 + (result.consumed < remaining ? result.consumed : remaining);
    }
    return true;
}

bool CCmdLine::HasOption(const std::string& name) const {
    return m_options.count(ToLower(name)) != 0;
}

const SCmdLineArgument& CCmdLine::GetOption(const std::string& name) const {
    const auto found = m_options.find(ToLower(name));
    return found == m_options.end() ? EmptyArgument() : m_arguments[found->second];
}

const SCmdLineArgument& CCmdLine::GetArgument(size_t index) const {
    return index < m_arguments.size() ? m_arguments[index] : EmptyArgument();
}
