#pragma once

// CHotKey: the system-wide key combination that brings the program's main window to
// the front. It follows the hotkey setting, registers the combination on the bound
// main window and tells its client when the key is pressed.
//
//   CHotKey hotKey(hotKeySetting, appObject);     // CSetHotKey, IHotKeyClient
//   hotKey.SetWindow(mainWindow);                 // with every new main window
//   hotKey.Unregister(); ... hotKey.Register();   // around the settings dialog
//
// A changed setting only renames the key; it takes effect at the next Register or
// SetWindow. When the system refuses the combination (another program holds it, or
// it is not allowed), Register shows a warning with the system error, owned by the
// bound window, and the program goes on without a hotkey.
//
// The setting's flag for an extended key (HOTKEYF_EXT) only chooses the key's name
// (Home rather than the number pad's 7): it is not a modifier, and registering it as
// one would ask for the Windows key as well.

#include "app/settings/CHotKeySetEvent.h"
#include "library/events/CSlot.h"
#include "library/windows/CSubclassedWindow.h"

#include <cstdint>
#include <string>

class CSetHotKey;
class IHotKeyClient;

class CHotKey : public CSubclassedWindow, public CSlot<CHotKeySetEvent> {
public:
    // The identifier of the registration on the bound window.
    static constexpr int kHotKeyId = 1;

    // Follows setting from now on, starting with its current value; client is not
    // owned and must outlive the hotkey.
    CHotKey(CSetHotKey& setting, IHotKeyClient& client);
    // Stops watching every window; the registration stays with the bound window, which
    // frees it when it is destroyed.
    ~CHotKey() override;

    // Unregisters on the window bound before, binds window (may be null) and registers
    // there.
    void SetWindow(HWND window);
    HWND GetWindow() const { return m_window; }
    // Registers the current combination anew on the bound window (nothing for no
    // hotkey or no window) and hands the key text to the client; true when the
    // combination is registered.
    bool Register();
    // Frees the combination; the window stays bound.
    void Unregister();
    bool IsRegistered() const { return m_registered; }

    // Low byte the virtual-key code, high byte the HOTKEYF_* flags; 0 for none.
    uint16_t GetHotKey() const { return m_hotKey; }
    // The modifiers' and the key's names as the keyboard layout gives them, joined by
    // "+" (Ctrl, Alt, Shift, then the key); empty for no hotkey or when some name
    // cannot be made.
    std::string GetKeyText() const { return m_keyText; }

    void OnMessage(CMessage& message) override;
    // Takes the new value and renames the key; does not register.
    virtual bool OnHotKeySet(CHotKeySetEvent& event);

    // The layout's name of a key; empty when it has none.
    static std::string GetKeyName(UINT virtualKey, bool extended);

protected:
    bool OnEvent(CHotKeySetEvent& event) override { return OnHotKeySet(event); }

private:
    void SetHotKey(uint16_t hotKey);
    void ShowRefusal(DWORD error) const;

    IHotKeyClient& m_client;
    HWND m_window = nullptr;
    uint16_t m_hotKey = 0;
    bool m_registered = false;
    UINT m_virtualKey = 0;
    UINT m_modifiers = 0;
    std::string m_keyText;
};
