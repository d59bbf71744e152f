#pragma once

// The real application object with both displays, the manage activities dialog and the
// program's own timers, on a folder of its own, for walking the road a user walks every
// day: a project whose work runs since the day before yesterday, start and stop, the
// totals that run, the activities dialog, the compact display and the tray.

#include "../compact/CompactWindowFixture.h"

#include "app/ui/SharedPictures.h"
#include "dialogs/DialogRegistry.h"
#include "harness/UiControls.h"
#include "library/system/CResourceModule.h"
#include "library/text/CText.h"
#include "mainwindow/CDialogLauncher.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"
#include "model/EProjectFileFormat.h"
#include "resources/CompactWindowIds.h"
#include "resources/ManageActivitiesIds.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace dailyroad {

// The columns of the full window with the day kind and three time columns.
const int kYesterday = 2;
const int kToday = 3;
// The state of a push button whose image a button image list holds at this index less
// one (PBS_DISABLED of the visual styles).
const int kDisabledButtonState = 4;

// A shown duration "H:MM:SS" in seconds; -1 for any other text ("--", nothing).
inline int Seconds(const std::string& text) {
    int hours = 0, minutes = 0, seconds = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%d:%d:%d%c", &hours, &minutes, &seconds, &rest) != 3) {
        return -1;
    }
    return hours * 3600 + minutes * 60 + seconds;
}

// Whether the button's picture shows greyed when the button is disabled: its image list
// holds a disabled image that differs from the normal one, as drawn.
inline bool HasGreyedPicture(HWND button) {
    BUTTON_IMAGELIST images = {};
    if (!SendMessageA(button, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images)) ||
        images.himl == nullptr || ImageList_GetImageCount(images.himl) < kDisabledButtonState) {
        return false;
    }
    int width = 0, height = 0;
    ImageList_GetIconSize(images.himl, &width, &height);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width * 2, height);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, width * 2, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ImageList_Draw(images.himl, 0, dc, 0, 0, ILD_NORMAL);
    ImageList_Draw(images.himl, kDisabledButtonState - 1, dc, width, 0, ILD_NORMAL);
    bool differs = false;
    for (int y = 0; y < height && !differs; ++y) {
        for (int x = 0; x < width && !differs; ++x) {
            differs = GetPixel(dc, x, y) != GetPixel(dc, width + x, y);
        }
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return differs;
}

class CDailyRoadFixture : public mainwindowtest::CCompactWindowFixture {
protected:
    CDailyRoadFixture() { RegisterManageActivitiesDialogs(); }
    ~CDailyRoadFixture() override {
        CDialogLauncher::Clear();
        // The language module goes with the application object; the texts come from the
        // program again only after that.
        m_app.reset();
        if (m_modules) {
            CResourceModule::SetCurrent(nullptr);
            CText::SetResourceModule(nullptr);
        }
    }

    // A project of the given activities (a leading '-' marks a disabled one); the work of
    // the top-level activity at runningIndex (the first by default) runs since 60 hours
    // ago, so since before yesterday began, when running is set.
    std::string MakeRoadProject(const std::string& file, const std::vector<std::string>& names,
                                bool running, int runningIndex = 0) {
        CProject project;
        CProjectState* state = project.GetState(true);
        state->SetName(file.substr(0, file.find('.')));
        for (const std::string& name : names) {
            const bool enabled = name.empty() || name[0] != '-';
            state->GetRootActivity()->AddChildActivity(
                new CActivity(state, enabled ? name : name.substr(1), enabled), -1);
        }
        if (running) {
            CActivity* runs = state->GetRootActivity()->GetFirstChild();
            for (int index = 0; index < runningIndex && runs != nullptr; ++index) {
                runs = runs->GetNextSibling();
            }
            runs->GetTallymarks().Add(
                new CTallymark(runs, CDateTime(CDateTime::Now(true).GetValue() - 2.5)));
        }
        const std::string path = m_folder.File(file);
        EXPECT_TRUE(project.Save(false, nullptr, path.c_str(), pffBinary));
        return path;
    }

    // The program's Dutch module beside the settings, and Dutch chosen.
    void UseDutch(const std::string& settings) {
        char self[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        std::string built = self;
        built = built.substr(0, built.rfind('\\')) + "\\..\\Tallymarks_NL.dll";
        ASSERT_TRUE(CopyFileA(built.c_str(), m_folder.File("Tallymarks_NL.dll").c_str(), FALSE))
            << "the Dutch module is not built: " << built;
        SetUserSettings("Language=NL\n" + settings);
        // As the program entry does: texts, dialogs and menus from the chosen module, with
        // the program behind it.
        m_modules =
            std::make_unique<CResourceModule>(GetModuleHandleA(nullptr), GetModuleHandleA(nullptr));
        CText::SetResourceModule(m_modules.get());
        CResourceModule::SetCurrent(m_modules.get());
    }

    std::string Cell(int row, int column) {
        return harness::GetListCell(Hwnd(), IDC_MAIN_ACTIVITIES, row, column);
    }
    HWND List() { return GetDlgItem(Hwnd(), IDC_MAIN_ACTIVITIES); }
    bool RowShownSelected(int row) {
        return (SendMessageA(List(), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) &
                LVIS_SELECTED) != 0;
    }
    int RowImage(int row) {
        LVITEMA item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        return SendMessageA(List(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? item.iImage
                                                                                      : -1;
    }
    // The list shows the shared activity pictures and they are still there.
    bool ListShowsPictures() {
        const HIMAGELIST shown =
            reinterpret_cast<HIMAGELIST>(SendMessageA(List(), LVM_GETIMAGELIST, LVSIL_SMALL, 0));
        return shown == ActivityImageList().Get() && ImageList_GetImageCount(shown) == 3;
    }
    CProjectState* State() {
        CProject* project = App().GetProjects().GetCurrentProject();
        return project != nullptr ? project->GetState() : nullptr;
    }
    // The manage activities dialog while it shows, else null.
    static HWND ActivitiesDialog() {
        HWND found = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &IsActivitiesDialog,
                          reinterpret_cast<LPARAM>(&found));
        return found;
    }
    static BOOL CALLBACK IsActivitiesDialog(HWND window, LPARAM found) {
        if (IsWindowVisible(window) && GetDlgItem(window, IDC_ACTIVITIES_LIST) != nullptr) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }

    std::unique_ptr<CResourceModule> m_modules;
};

} // namespace dailyroad
