// The manage and move tally marks dialogs on a real display: a picture of each, their
// layout checked at the template's size and after the window grew.

#include "dialogs/CTracesActivityDlg.h"
#include "dialogs/CTracesDlg.h"

#include "../traces/TracesFixture.h"
#include "harness/WindowPicture.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using harness::CUiScript;
using tracestest::CTracesFixture;

namespace {

RECT ScreenRect(HWND control) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    return rect;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The height that the control's text needs at the control's width, wrapped at words as a
// static control wraps it.
int TextHeight(HWND control, const std::string& text) {
    RECT rect = {};
    GetClientRect(control, &rect);
    HDC dc = GetDC(control);
    HGDIOBJ former =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    DrawTextA(dc, text.c_str(), -1, &rect, DT_CALCRECT | DT_WORDBREAK);
    SelectObject(dc, former);
    ReleaseDC(control, dc);
    return rect.bottom - rect.top;
}

// Cells of the first rows whose text is wider than their column.
void CheckCells(HWND list, std::vector<std::string>& findings) {
    const int rows = std::min(5, static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)));
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < 4; ++column) {
            char text[256] = {};
            LVITEMA item = {};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = sizeof(text);
            SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(&item));
            // The control keeps 6 pixels of margin on either side of a cell's text.
            const LRESULT needed =
                SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text)) + 12;
            if (needed > SendMessageA(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0)) {
                findings.push_back(std::string("cell \"") + text + "\" is cut");
            }
        }
    }
}

// Every finding of the layout, one line each: a visible control outside the client area or
// on another one, a label whose text does not fit, a list whose columns do not fit its
// width, are too narrow to read or cut their cells.
std::vector<std::string> CheckLayout(HWND dialog) {
    std::vector<std::string> findings;
    RECT client = {};
    GetClientRect(dialog, &client);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
    std::vector<HWND> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        char name[32] = {};
        GetClassNameA(child, name, sizeof(name));
        // The size grip sits in the corner by design.
        if (!IsWindowVisible(child) || lstrcmpiA(name, "ScrollBar") == 0) {
            continue;
        }
        const int id = GetDlgCtrlID(child);
        if (!Inside(ScreenRect(child), client)) {
            findings.push_back("control " + std::to_string(id) + " leaves the dialog");
        }
        for (HWND other : controls) {
            RECT common = {};
            const RECT a = ScreenRect(child), b = ScreenRect(other);
            if (IntersectRect(&common, &a, &b)) {
                findings.push_back(std::to_string(id) + " overlaps " +
                                   std::to_string(GetDlgCtrlID(other)));
            }
        }
        controls.push_back(child);
        const std::string text = harness::GetText(child);
        RECT box = {};
        GetClientRect(child, &box);
        if (lstrcmpiA(name, "Static") == 0 && !text.empty() &&
            TextHeight(child, text) > box.bottom) {
            findings.push_back("label \"" + text + "\" is cut");
        }
        if (lstrcmpiA(name, WC_LISTVIEWA) == 0) {
            CheckCells(child, findings);
            RECT listClient = {};
            GetClientRect(child, &listClient);
            int total = 0;
            for (int column = 0; column < 4; ++column) {
                const int width = static_cast<int>(
                    SendMessageA(child, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
                total += width;
                if (width < 30) {
                    findings.push_back("column " + std::to_string(column) + " is too narrow");
                }
            }
            if (total > listClient.right) {
                findings.push_back("the columns are wider than the list");
            }
        }
    }
    return findings;
}

std::string PicturePath(const std::string& name) {
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, folder);
    return std::string(folder) + "\\" + name;
}

class CTracesPictureTest : public CTracesFixture {
protected:
    CTracesPictureTest() {
        Build({"Development", " Design", "Support"});
        for (int i = 0; i < 40; ++i) {
            Add("t", i % 3 == 0 ? "Support" : "Design", i * 5.0, i * 5.0 + 1.25);
        }
        Add("open", "Development", 300);
    }
    // Shows the dialog, checks its layout, saves its picture, checks it again after the
    // window grew by 160 x 120 pixels, and cancels.
    std::vector<std::string> Look(CDialogWindow& dialog, int dialogId, const char* picture) {
        CUiScript script;
        std::vector<std::string> findings;
        bool saved = false;
        auto hwnd = [&] { return dialog.GetHwnd(); };
        script
            .Do([&] {
                RedrawWindow(hwnd(), nullptr, nullptr,
                             RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            })
            .Do([&] {
                findings = CheckLayout(hwnd());
                saved = harness::SaveWindowPicture(hwnd(), PicturePath(picture));
                RECT window = {};
                GetWindowRect(hwnd(), &window);
                SetWindowPos(hwnd(), nullptr, 0, 0, window.right - window.left + 160,
                             window.bottom - window.top + 120, SWP_NOMOVE | SWP_NOZORDER);
            })
            .Do([&] {
                for (const std::string& finding : CheckLayout(hwnd())) {
                    findings.push_back("grown: " + finding);
                }
                harness::Click(hwnd(), IDCANCEL);
            });
        SDialogParams params;
        params.dialogId = dialogId;
        params.instance = params.fallbackInstance = GetModuleHandleA(nullptr);
        params.sizeGrip = true;
        script.Run([&] { dialog.Create(params); });
        EXPECT_TRUE(saved);
        return findings;
    }
};

TEST_F(CTracesPictureTest, ManageTallymarksDialog) {
    CTracesDlg dialog(m_project);
    EXPECT_EQ(Look(dialog, IDD_TRACES, "manage-tally-marks-dialog.bmp"),
              std::vector<std::string>());
}

TEST_F(CTracesPictureTest, MoveTallymarksDialog) {
    std::set<CTallymark*> selection;
    for (CActivity* activity : {m_a.at("Design"), m_a.at("Support"), m_a.at("Development")}) {
        selection.insert(activity->GetTallymarks().GetFirst());
    }
    CTracesActivityDlg dialog(m_project, State(), &selection);
    EXPECT_EQ(Look(dialog, IDD_TRACES_ACTIVITY, "move-tally-marks-dialog.bmp"),
              std::vector<std::string>());
}

} // namespace
