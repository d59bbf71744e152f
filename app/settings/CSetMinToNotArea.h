#pragma once

// CSetMinToNotArea: whether minimising the main window hides it in the notification
// area (user file, section "Application", key "MinimizeToNotArea").

#include "library/settings/IPersistentObject.h"

class CSetMinToNotArea : public IPersistentObject {
public:
    CSetMinToNotArea();
    ~CSetMinToNotArea() override;

    void Load(CINIFile& ini) override;
    void Save(CINIFile& ini) override;

    bool GetMinimizeToNotArea() const { return m_minimizeToNotArea; }
    void SetMinimizeToNotArea(bool minimize) { m_minimizeToNotArea = minimize; }

private:
    bool m_minimizeToNotArea;
};
