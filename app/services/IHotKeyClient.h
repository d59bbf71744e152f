#pragma once

// IHotKeyClient: what the activation hotkey asks of the program around it. The
// application object implements it: it knows which main window runs and owns the tray
// menu that names the key.

#include <string>

class IHotKeyClient {
public:
    virtual ~IHotKeyClient() = default;

    // The hotkey was pressed: bring the running main window to the front (after
    // taking it back from the notification area).
    virtual void OnActivationHotKey() = 0;
    // After every registration attempt: the readable name of the combination, empty
    // when there is none, for the tray menu's "Show" entry.
    virtual void OnHotKeyTextChanged(const std::string& keyText) = 0;
};
