#pragma once

// CDialogLauncher: which dialog the main window opens for each dialog kind, and how.
// The dialogs live in the layers above the main window; the program entry registers
// each one it has, and the main window asks here. A kind that nobody registered is
// not available: the menu greys its command and the launcher opens nothing.
//
//   CDialogLauncher::Register(EDialogKind::About, {CAboutDlg::kIdentity, false,
//       [](CMainDlgBase&) { return std::make_unique<CAboutDlg>(); }});
//
// User-interface thread only; registrations are made before the first window runs.

#include "app/main/EDialogKind.h"
#include "app/ui/SDialogIdentity.h"
#include "model/SClockReading.h"

#include <cstdint>
#include <functional>
#include <memory>

class CDialogWindow;
class CMainDlgBase;
class CProject;

struct SDialogKindEntry {
    // The identity of the dialog that make builds.
    SDialogIdentity identity = {};
    // Built for the window's current project: asked for only while there is one.
    bool needsProject = false;
    std::function<std::unique_ptr<CDialogWindow>(CMainDlgBase& window)> make;
};

class CDialogLauncher {
public:
    // The exit code of an inactivity dialog that closed because its project came under
    // edit: it is opened again once that edit is over.
    static const int kInactivityPostponed = 2;
    // The dialog that books a detected inactivity (from start, the last input) of one
    // working project.
    using InactivityDialogFactory = std::function<std::unique_ptr<CDialogWindow>(
        const SClockReading& start, CProject& project)>;

    static void Register(EDialogKind kind, SDialogKindEntry entry);
    // The entry of kind, null when it is not available.
    static const SDialogKindEntry* Find(EDialogKind kind);
    static void RegisterInactivityDialog(const SDialogIdentity& identity,
                                         InactivityDialogFactory factory);
    static const InactivityDialogFactory& GetInactivityDialog();
    static const SDialogIdentity& GetInactivityDialogIdentity();
    // Forgets every registration (tests).
    static void Clear();
};
