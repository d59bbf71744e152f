#include "library/system/CApp.h"

#include <vector>

CApp::CApp(HMODULE module) : m_module(module != nullptr ? module : GetModuleHandleA(nullptr)) {}

const std::string& CApp::GetModulePath() {
    FillPaths();
    return m_modulePath;
}

const std::string& CApp::GetModuleFolder() {
    FillPaths();
    return m_moduleFolder;
}

void CApp::FillPaths() {
    if (m_filled) {
        return;
    }
    m_filled = true;
    // MAX_PATH first; a longer path (with the long-path prefix) gets a larger buffer
    // rather than a cut-off name.
    for (DWORD capacity = MAX_PATH; capacity <= 32768; capacity *= 2) {
        std::vector<char> buffer(capacity, '\0');
        const DWORD length = GetModuleFileNameA(m_module, buffer.data(), capacity);
        if (length == 0) {
            return;
        }
        if (length < capacity) {
            m_modulePath.assign(buffer.data(), length);
            break;
        }
    }
    const size_t slash = m_modulePath.rfind('\\');
    if (slash != std::string::npos) {
        m_moduleFolder = m_modulePath.substr(0, slash);
    }
}
