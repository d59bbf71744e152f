#pragma once

// The settings objects of the user file, built as the application builds them (the
// installation settings first) with a locale whose week starts on Sunday and with
// inactivity detection supported, and a recording slot for their events.

#include "app/settings/CSetDateTime.h"
#include "app/settings/CSetHotKey.h"
#include "app/settings/CSetInactivityDetector.h"
#include "app/settings/CSetInstall.h"
#include "app/settings/CSetLanguage.h"
#include "app/settings/CSetMinToNotArea.h"
#include "app/settings/CSetPowerStateTracker.h"
#include "app/settings/CSetReportDlg.h"
#include "app/settings/CSetTimeDisplay.h"
#include "app/settings/CSetTips.h"
#include "app/settings/CSetView.h"
#include "library/events/CSlot.h"
#include "library/settings/CINIFile.h"

#include <string>
#include <vector>

// INI text written with "|" for each CR LF.
inline std::string Ini(std::string text) {
    for (size_t bar = text.find('|'); bar != std::string::npos; bar = text.find('|', bar + 2)) {
        text.replace(bar, 1, "\r\n");
    }
    return text;
}

// The system's count from Monday = 0: Sunday.
constexpr int kLocaleSunday = 6;

struct SUserSettings {
    SUserSettings() : dateTime([] { return kLocaleSunday; }), inactivity(true), language(install) {}

    // In the order of registration with the user file.
    std::vector<IPersistentObject*> Objects() {
        return {&report, &dateTime,    &minToNotArea, &hotKey, &view,
                &tips,   &timeDisplay, &inactivity,   &power,  &language};
    }
    // Loads every object from the INI text (written as for Ini()).
    void Load(const std::string& lines) {
        const std::string text = Ini(lines);
        CINIFile ini;
        ini.ParseText(text.data(), text.size());
        for (IPersistentObject* object : Objects()) {
            object->Load(ini);
        }
    }
    std::string Save() {
        CINIFile ini;
        for (IPersistentObject* object : Objects()) {
            object->Save(ini);
        }
        return ini.BuildText();
    }

    CSetInstall install;
    CSetReportDlg report;
    CSetDateTime dateTime;
    CSetMinToNotArea minToNotArea;
    CSetHotKey hotKey;
    CSetView view;
    CSetTips tips;
    CSetTimeDisplay timeDisplay;
    CSetInactivityDetector inactivity;
    CSetPowerStateTracker power;
    CSetLanguage language;
};

// Keeps a copy of every event of class E that it hears.
template <class E> class CRecorder : public CSlot<E> {
public:
    explicit CRecorder(CSignal<E>* signal) { CSlot<E>::Connect(signal); }

    std::vector<E> events;

protected:
    bool OnEvent(E& event) override {
        events.push_back(event);
        return true;
    }
};
