#include "app/settings/CSetAutoStart.h"

#include "library/system/CApp.h"

#include <utility>

CSetAutoStart::CSetAutoStart()
    : CSetAutoStart({HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
                    "Tallymarks") {}

CSetAutoStart::CSetAutoStart(const SRegistryLocation& location, std::string valueName)
    : m_valueName(std::move(valueName)), m_loaded(false), m_enabled(false), m_available(false),
      m_error(0) {
    m_registry.SetLocation(location);
}

CSetAutoStart::~CSetAutoStart() = default;

void CSetAutoStart::LoadOnce() {
    if (m_loaded) {
        return;
    }
    m_quotedPath = "\"" + CApp(nullptr).GetModulePath() + "\"";
    LONG result = ERROR_SUCCESS;
    m_enabled = m_registry.HasValue(m_valueName.c_str(), &result);
    m_error = static_cast<uint32_t>(result);
    m_available = result == ERROR_SUCCESS;
    m_loaded = true;
}

bool CSetAutoStart::IsAvailable() {
    LoadOnce();
    return m_available;
}

bool CSetAutoStart::IsEnabled() {
    LoadOnce();
    return m_enabled;
}

uint32_t CSetAutoStart::GetError() {
    LoadOnce();
    return m_error;
}

bool CSetAutoStart::SetEnabled(bool enabled) {
    LoadOnce();
    if (!m_available) {
        return false;
    }
    if (enabled == m_enabled) {
        return true;
    }
    LONG result = ERROR_SUCCESS;
    const bool done =
        enabled ? m_registry.SetValue(m_valueName.c_str(),
                                      {ERegistryValueKind::String, m_quotedPath, 0}, &result)
                : m_registry.DeleteValue(m_valueName.c_str(), &result);
    if (!done) {
        m_error = static_cast<uint32_t>(result);
        m_available = false;
        return false;
    }
    m_enabled = enabled;
    return true;
}
