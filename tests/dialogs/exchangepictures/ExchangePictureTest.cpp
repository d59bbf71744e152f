// The detected inactivity and the import and export dialogs on a real display: every
// control inside the window and on no other (group boxes hold theirs), before and after the
// window is widened, the growing controls wider by as much as the window; a picture of
// each is kept for people to look at.

#include "../exchange/ExchangeFixture.h"

#include "dialogs/CDetectedInactivityDlg.h"
#include "harness/LayoutCheck.h"

#include <string>
#include <vector>

using harness::CUiScript;
using namespace exchangetest;

namespace {

// Group boxes hold the controls inside them; nothing else lies on another control.
std::string CheckLayout(HWND dialog) {
    return harness::CheckLayout(dialog, harness::GroupBoxRules());
}

int WidthOf(HWND dialog, int id) {
    const RECT rect = harness::RectIn(dialog, GetDlgItem(dialog, id));
    return rect.right - rect.left;
}

class ExchangePictureTest : public CExchangeFixture {
protected:
    // Checks the layout, keeps a picture, drags the window 160 pixels wider and 80
    // higher and checks again. Returns the faults; grown holds the growth in
    // width of each control of growing, followed by the growth in height of the window.
    std::string Check(HWND dialog, const std::string& picture, const std::vector<int>& growing,
                      std::vector<int>& grown) {
        std::string faults = CheckLayout(dialog);
        EXPECT_TRUE(harness::KeepPicture(dialog, picture)) << picture;
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
    auto dialog =
        std::make_unique<CDetectedInactivityDlg>(SClockReading{CDateTime(kNow - 1.0)}, *home);
    CUiScript script;
    std::string faults;
    std::vector<int> grown;
    script.Do([&] {
        faults = Check(dialog->GetHwnd(), "detected-inactivity.bmp",
                       {IDC_INACTIVITY_PROJECT, IDC_INACTIVITY_INCLUDE_ACTIVITY}, grown);
        PostMessageA(dialog->GetHwnd(), WM_CLOSE, 0, 0);
    });
    harness::RunDialog(script, *dialog, IDD_DETECTED_INACTIVITY, true);
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
