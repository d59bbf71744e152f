#include "app/services/CHotKey.h"

#include "app/services/IHotKeyClient.h"
#include "app/settings/CSetHotKey.h"
#include "library/dialogs/ShowMessageBox.h"
#include "library/text/CText.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>

#include <cstring>

namespace {

// GetKeyNameTextA's lParam: the scan code in bits 16-23, bit 24 for an extended key.
LONG KeyNameParameter(UINT scanCode, bool extended) {
    LONG parameter = static_cast<LONG>((scanCode & 0xFF) << 16);
    if (extended) {
        parameter |= 1L << 24;
    }
    return parameter;
}

} // namespace

CHotKey::CHotKey(CSetHotKey& setting, IHotKeyClient& client) : m_client(client) {
    SetHotKey(setting.GetHotKey());
    Connect(&setting);
}

CHotKey::~CHotKey() = default;

void CHotKey::SetWindow(HWND window) {
    Unregister();
    m_window = window;
    Register();
}

bool CHotKey::Register() {
    if (m_window != nullptr) {
        Unregister();
        Subclass(m_window);
        if (m_hotKey != 0) {
            m_registered = RegisterHotKey(m_window, kHotKeyId, m_modifiers, m_virtualKey) != FALSE;
            if (!m_registered) {
                ShowRefusal(GetLastError());
            }
        }
    }
    m_client.OnHotKeyTextChanged(m_keyText);
    return m_registered;
}

void CHotKey::Unregister() {
    if (m_window == nullptr) {
        return;
    }
    if (m_registered) {
        UnregisterHotKey(m_window, kHotKeyId);
        m_registered = false;
    }
    Unsubclass(m_window);
}

void CHotKey::ShowRefusal(DWORD error) const {
    CText text(IDS_HOTKEY_INVALID);
    text.ReplaceWithSystemError("[ERROR]", error, CText(IDS_UNKNOWN_ERROR), true);
    ShowMessageBox(m_window, text, CText(IDS_HOTKEY_INVALID_CAPTION), MB_OK | MB_ICONWARNING);
}

void CHotKey::OnMessage(CMessage& message) {
    if (message.message != WM_HOTKEY) {
        return;
    }
    message.handled = true;
    message.result = 0;
    m_client.OnActivationHotKey();
}

bool CHotKey::OnHotKeySet(CHotKeySetEvent& event) {
    SetHotKey(event.hotKey);
    return true;
}

void CHotKey::SetHotKey(uint16_t hotKey) {
    m_hotKey = hotKey;
    m_keyText.clear();
    m_virtualKey = LOBYTE(hotKey);
    m_modifiers = 0;
    if (hotKey == 0) {
        return;
    }
    const BYTE flags = HIBYTE(hotKey);
    const bool shift = (flags & HOTKEYF_SHIFT) != 0;
    const bool ctrl = (flags & HOTKEYF_CONTROL) != 0;
    const bool alt = (flags & HOTKEYF_ALT) != 0;
    const bool extended = (flags & HOTKEYF_EXT) != 0;
    m_modifiers = (alt ? MOD_ALT : 0) | (ctrl ? MOD_CONTROL : 0) | (shift ? MOD_SHIFT : 0);

    const struct {
        bool present;
        UINT virtualKey;
        bool extended;
    } parts[] = {{ctrl, VK_CONTROL, false},
                 {alt, VK_MENU, false},
                 {shift, VK_SHIFT, false},
                 {true, m_virtualKey, extended}};
    std::string text;
    for (const auto& part : parts) {
        if (!part.present) {
            continue;
        }
        const std::string name = GetKeyName(part.virtualKey, part.extended);
        if (name.empty()) {
            return;
        }
        if (!text.empty()) {
            text += '+';
        }
        text += name;
    }
    m_keyText = text;
}

std::string CHotKey::GetKeyName(UINT virtualKey, bool extended) {
    const UINT scanCode = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    if (scanCode == 0) {
        return std::string();
    }
    char name[32] = {};
    if (GetKeyNameTextA(KeyNameParameter(scanCode, extended), name, sizeof(name)) <= 0) {
        return std::string();
    }
    return std::string(name, strnlen(name, sizeof(name)));
}
