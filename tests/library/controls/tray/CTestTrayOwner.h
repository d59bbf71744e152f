#pragma once

// The owner of a tray icon in tests: a hidden message window, a visible window that
// goes to the tray and back, and a record of what the icon told it.

#include "library/controls/CPopupMenuEntry.h"
#include "library/controls/INotAreaIconParent.h"
#include "library/windows/CInvisibleWindow.h"

#include <functional>
#include <vector>

class CTestTrayOwner : public INotAreaIconParent {
public:
    CTestTrayOwner() {
        m_messageWindow.Create();
        m_window = CreateWindowExA(0, "STATIC", "Tray owner", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                                   40, 40, 200, 100, nullptr, nullptr, nullptr, nullptr);
    }
    virtual ~CTestTrayOwner() { DestroyWindow(m_window); }

    HWND GetWindow(int kind) override {
        return kind == kMessageWindow ? GetMessageWindow() : m_window;
    }
    void OnActiveChange(bool shown) override { activeChanges.push_back(shown); }
    void BuildPopupMenu(CPopupMenuEntry& root) override { fillMenu(root); }
    bool OnMenuItem(SPopupMenuEntryData* data) override {
        onMenuItem(data);
        return data != nullptr;
    }

    HWND GetMessageWindow() const { return m_messageWindow.GetHandle(); }
    HWND GetRestoredWindow() const { return m_window; }

    std::vector<bool> activeChanges;
    std::function<void(CPopupMenuEntry&)> fillMenu = [](CPopupMenuEntry&) {};
    // The data lives only during the call.
    std::function<void(SPopupMenuEntryData*)> onMenuItem = [](SPopupMenuEntryData*) {};

private:
    CInvisibleWindow m_messageWindow{GetModuleHandleA(nullptr)};
    HWND m_window = nullptr;
};
