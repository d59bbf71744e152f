// The manage and move tally marks dialogs on a real display: a picture of each, their
// layout checked at the template's size and after the window grew.

#include "dialogs/CTracesActivityDlg.h"

#include "../traces/TracesFixture.h"
#include "harness/WindowPicture.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using namespace tracestest;

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

// Whether the text fits the control: wrapped at words as a static control does, or on one
// line in width (plus the list's margins of 6 pixels a side) for a list cell.
bool Fits(HWND control, const std::string& text, int width, bool wrap) {
    RECT rect = {0, 0, width, 0}, box = {};
    GetClientRect(control, &box);
    HDC dc = GetDC(control);
    HGDIOBJ former =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    DrawTextA(dc, text.c_str(), -1, &rect, DT_CALCRECT | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, former);
    ReleaseDC(control, dc);
    return wrap ? rect.bottom <= box.bottom : rect.right + 12 <= width;
}

// Every finding, one line each: a visible control outside the client area or on another
// one, a label or a list cell (of the first rows) that is cut, list columns wider than the
// list or narrower than 30 pixels.
std::vector<std::string> CheckLayout(HWND dialog) {
    std::vector<std::string> findings;
    RECT client = {};
    GetClientRect(dialog, &client);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
    std::vector<HWND> seen;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        char name[32] = {};
        GetClassNameA(child, name, sizeof(name));
        if (!IsWindowVisible(child) || lstrcmpiA(name, "ScrollBar") == 0) { // the size grip
            continue;
        }
        const std::string id = std::to_string(GetDlgCtrlID(child));
        const RECT rect = ScreenRect(child);
        if (!Inside(rect, client)) {
            findings.push_back(id + " leaves the dialog");
        }
        for (HWND other : seen) {
            RECT common = {}, otherRect = ScreenRect(other);
            if (IntersectRect(&common, &rect, &otherRect)) {
                findings.push_back(id + " overlaps " + std::to_string(GetDlgCtrlID(other)));
            }
        }
        seen.push_back(child);
        RECT box = {};
        GetClientRect(child, &box);
        const std::string text = harness::GetText(child);
        if (lstrcmpiA(name, "Static") == 0 && !text.empty() &&
            !Fits(child, text, box.right, true)) {
            findings.push_back("label \"" + text + "\" is cut");
        }
        if (lstrcmpiA(name, WC_LISTVIEWA) != 0) {
            continue;
        }
        int total = 0;
        for (int column = 0; column < 4; ++column) {
            const int width = static_cast<int>(
                SendMessageA(child, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
            total += width;
            if (width < 30) {
                findings.push_back("column " + std::to_string(column) + " is too narrow");
            }
            for (int row = 0; row < 5; ++row) {
                const std::string cell =
                    harness::GetListCell(dialog, GetDlgCtrlID(child), row, column);
                if (!Fits(child, cell, width, false)) {
                    findings.push_back("cell \"" + cell + "\" is cut");
                }
            }
        }
        if (total > box.right) {
            findings.push_back("the columns are wider than the list");
        }
    }
    return findings;
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
    // Shows the dialog, checks it, saves its picture, checks it again 160 x 120 pixels
    // bigger, and cancels.
    std::vector<std::string> Look(CDialogWindow& dialog, int dialogId, const std::string& picture) {
        CUiScript script;
        std::vector<std::string> findings;
        bool saved = false;
        HWND window = nullptr;
        script
            .Do([&] {
                window = dialog.GetHwnd();
                RedrawWindow(window, nullptr, nullptr,
                             RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            })
            .Do([&] {
                findings = CheckLayout(window);
                char folder[MAX_PATH] = "";
                GetCurrentDirectoryA(MAX_PATH, folder);
                saved = harness::SaveWindowPicture(window, std::string(folder) + "\\" + picture);
                const RECT rect = ScreenRect(window);
                SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left + 160,
                             rect.bottom - rect.top + 120, SWP_NOMOVE | SWP_NOZORDER);
            })
            .Do([&] {
                for (const std::string& finding : CheckLayout(window)) {
                    findings.push_back("grown: " + finding);
                }
                harness::Click(window, IDCANCEL);
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
    for (const char* name : {"Design", "Support", "Development"}) {
        selection.insert(m_a.at(name)->GetTallymarks().GetFirst());
    }
    CTracesActivityDlg dialog(m_project, State(), &selection);
    EXPECT_EQ(Look(dialog, IDD_TRACES_ACTIVITY, "move-tally-marks-dialog.bmp"),
              std::vector<std::string>());
}

} // namespace
