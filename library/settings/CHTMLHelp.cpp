#include "library/settings/CHTMLHelp.h"

#include "library/system/TextConversion.h"

#include <htmlhelp.h>
#include <oleauto.h>

namespace {

// HH_GET_LAST_ERROR's answer; the toolchain's htmlhelp.h lacks it.
struct SHtmlHelpLastError {
    int cbStruct;
    HRESULT hr;
    BSTR description;
};

} // namespace

CHTMLHelp::CHTMLHelp(HtmlHelpFunction function)
    : m_function(function != nullptr ? function : &HtmlHelpA) {}

int32_t CHTMLHelp::SetFile(const std::string& path) {
    const DWORD attributes =
        path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
    m_available =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    m_file = m_available ? path : std::string();
    return m_available ? 0 : 1;
}

int32_t CHTMLHelp::ShowTopic(const std::string& topic, const char* windowType) const {
    if (!m_available) {
        return 1;
    }
    std::string url = m_file + "::/" + topic;
    if (windowType != nullptr && *windowType != '\0') {
        url += '>';
        url += windowType;
    }
    return m_function(GetDesktopWindow(), url.c_str(), HH_DISPLAY_TOPIC, 0) != nullptr ? 0 : 2;
}

std::string CHTMLHelp::GetLastErrorText() const {
    SHtmlHelpLastError lastError = {sizeof(SHtmlHelpLastError), S_OK, nullptr};
    const HWND answered = m_function(GetDesktopWindow(), nullptr, HH_GET_LAST_ERROR,
                                     reinterpret_cast<DWORD_PTR>(&lastError));
    std::string text;
    if (answered != nullptr && FAILED(lastError.hr) && lastError.description != nullptr) {
        text = ToCodePageText(lastError.description);
    }
    if (lastError.description != nullptr) {
        SysFreeString(lastError.description);
    }
    return text;
}
