// The detected inactivity and the import and export dialogs on a real display: every
// control inside the window and on no other (group boxes hold theirs), before and after the
// window is widened, the growing controls wider by as much as the window; a picture of
// each is kept for people to look at.

#include "../exchange/ExchangeFixture.h"

#include "dialogs/CDetectedInactivityDlg.h"
#include "harness/WindowPicture.h"

#include <set>
#include <string>
#include <vector>

using harness::CUiScript;
using namespace exchangetest;

namespace {

RECT ClientRectOf(HWND dialog, HWND control) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool IsGroupBox(HWND control) {
    char name[16] = "";
    GetClassNameA(control, name, sizeof(name));
    return lstrcmpiA(name, "Button") == 0 &&
           (GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// What is wrong with the layout, one line per fault; empty when nothing is.
std::string CheckLayout(HWND dialog) {
    std::string faults;
    RECT client = {};
    GetClientRect(dialog, &client);
    std::vector<HWND> shown;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) {
            shown.push_back(child);
        }
    }
    for (size_t i = 0; i < shown.size(); ++i) {
        const RECT rect = ClientRectOf(dialog, shown[i]);
        const std::string name = std::to_string(GetDlgCtrlID(shown[i]));
        faults += Inside(rect, client) ? "" : name + " outside the client area\n";
        for (size_t j = 0; j < i; ++j) {
            const RECT other = ClientRectOf(dialog, shown[j]);
            RECT overlap = {};
            if (IntersectRect(&overlap, &rect, &other) &&
                !(IsGroupBox(shown[i]) && Inside(other, rect)) &&
                !(IsGroupBox(shown[j]) && Inside(rect, other))) {
                faults += name + " overlaps " + std::to_string(GetDlgCtrlID(shown[j])) + "\n";
            }
        }
    }
    return faults;
}

int WidthOf(HWND dialog, int id) {
    const RECT rect = ClientRectOf(dialog, GetDlgItem(dialog, id));
    return rect.right - rect.left;
}

class ExchangePictureTest : public CExchangeFixture {
protected:
    // Checks the layout, keeps a picture, drags the window 160 pixels wider and 80
    // higher and checks again. Returns the faults; grown holds the growth in
    // width of each control of growing, followed by the growth in height of the window.
    std::string Check(HWND dialog, const std::string& picture, const std::vector<int>& growing,
                      std::vector<int>& grown) {
        char folder[MAX_PATH] = "";
        GetCurrentDirectoryA(MAX_PATH, folder);
        const std::string path = std::string(folder) + "\\" + picture;
        std::string faults = CheckLayout(dialog);
        EXPECT_TRUE(harness::SaveWindowPicture(dialog, path)) << path;
        std::vector<int> before;
        for (int id : growing) {
            before.push_back(WidthOf(dialog, id));
        }
        RECT window = {};
        GetWindowRect(dialog, &window);
        // As a drag of the lower right corner: the window limits the proposed rectangle.
        RECT proposed = {window.left, window.top, window.right + 160, window.bottom + 80};
        SendMessageA(dialog, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&proposed));
        SetWindowPos(dialog, nullptr, 0, 0, proposed.right - proposed.left,
                     proposed.bottom - proposed.top, SWP_NOMOVE | SWP_NOZORDER);
        faults += CheckLayout(dialog);
        for (size_t i = 0; i < growing.size(); ++i) {
            grown.push_back(WidthOf(dialog, growing[i]) - before[i]);
        }
        RECT wider = {};
        GetWindowRect(dialog, &wider);
        grown.push_back((wider.bottom - wider.top) - (window.bottom - window.top));
        return faults;
    }
};

TEST_F(ExchangePictureTest, DetectedInactivityGrowsOnlyInWidth) {
    WriteProjects(pffBinary);
    CProject* home = OpenHome();
    home->GetState()->SetName("A project with a name far too long to fit on the line");
    ASSERT_TRUE(
        Projects().StartWorking(home, home->GetState()->GetRootActivity()->GetFirstChild()));
    auto dialog = std::make_unique<CDetectedInactivityDlg>(CDateTime(kNow - 1.0), *home);
    CUiScript script;
    std::string faults;
    std::vector<int> grown;
    script.Do([&] {
        faults = Check(dialog->GetHwnd(), "detected-inactivity.bmp",
                       {IDC_INACTIVITY_PROJECT, IDC_INACTIVITY_INCLUDE_ACTIVITY}, grown);
        PostMessageA(dialog->GetHwnd(), WM_CLOSE, 0, 0);
    });
    SDialogParams params;
    params.dialogId = IDD_DETECTED_INACTIVITY;
    params.sizeGrip = true;
    params.instance = params.fallbackInstance = GetModuleHandleA(nullptr);
    script.Run([&] { dialog->Create(params); });
    EXPECT_EQ(faults, "");
    EXPECT_EQ(grown, std::vector<int>({160, 160, 0}));
}

TEST_F(ExchangePictureTest, ImportAndExportWithTheirPreview) {
    WriteProjects(pffXML);
    for (unsigned direction : {CDataExchangeDlg::kImport, CDataExchangeDlg::kExport}) {
        CProject* home = OpenHome();
        auto dialog = std::make_unique<CDataExchangeDlg>(home, direction);
        CUiScript script;
        std::string faults;
        std::vector<int> grown;
        script.Do([&] {
            ChooseDay(*dialog);
            ASSERT_TRUE(dialog->OpenOtherProject(m_workPath, 0));
            faults = Check(dialog->GetHwnd(),
                           direction == CDataExchangeDlg::kImport ? "import.bmp" : "export.bmp",
                           {IDC_EXCHANGE_RESULT, IDC_EXCHANGE_OTHER_NAME}, grown);
            PostMessageA(dialog->GetHwnd(), WM_CLOSE, 0, 0);
        });
        Run(script, *dialog, direction);
        dialog.reset();
        EXPECT_EQ(faults, "") << direction;
        EXPECT_EQ(grown, std::vector<int>({160, 0, 80})) << direction;
        Projects().CloseAll();
    }
}

} // namespace
