#include "mainwindow/CActivityComboBox.h"

#include "ComboBoxTestIds.h"
#include "app/ui/SharedPictures.h"
#include "library/dialogs/CDialogWindow.h"
#include "model/CActivity.h"
#include "model/CEditTransaction.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

const int kCombo = IDC_COMBOBOX_TEST_COMBO;

class CActivityComboBoxTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { LoadIconsAndImageLists(GetModuleHandleA(nullptr)); }
    void SetUp() override {
        SDialogParams params;
        params.dialogId = IDD_COMBOBOX_TEST;
        params.instance = params.fallbackInstance = GetModuleHandleA(nullptr);
        params.modal = false;
        params.showMode = 1;
        ASSERT_EQ(m_dialog.Create(params), 0);
    }
    void TearDown() override {
        m_box.reset();
        m_dialog.Close();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    // One line per name, indented by one blank a level; "-" marks a disabled activity.
    void Build(CProject& project, std::initializer_list<const char*> lines) {
        CActivity* root = project.GetState()->GetRootActivity();
        std::vector<CActivity*> parents = {root};
        for (const std::string line : lines) {
            const size_t depth = line.find_first_not_of(' ');
            const bool enabled = line[depth] != '-';
            const std::string name = line.substr(enabled ? depth : depth + 1);
            CActivity* activity = new CActivity(root->GetProjectState(), name, enabled);
            parents.resize(depth + 1);
            parents[depth]->AddChildActivity(activity, -1);
            parents.push_back(activity);
            m_a[name] = activity;
        }
    }
    CActivityComboBox& Open(bool onlyEnabled, bool follow, CProject* project = nullptr) {
        project = project != nullptr ? project : &m_project;
        m_box.reset();
        m_box.reset(new CActivityComboBox(onlyEnabled, follow));
        EXPECT_TRUE(m_box->Attach(Dialog(), kCombo));
        m_box->SetProject(project, project->GetState());
        return *m_box;
    }
    HWND Dialog() const { return m_dialog.GetHwnd(); }
    HWND Combo() const { return GetDlgItem(Dialog(), kCombo); }
    // Each item as its string, "?" when its data is not the activity of that path.
    std::vector<std::string> Items() const {
        std::vector<std::string> items;
        const int count = static_cast<int>(SendMessageA(Combo(), CB_GETCOUNT, 0, 0));
        for (int index = 0; index < count; ++index) {
            char text[128] = {};
            SendMessageA(Combo(), CB_GETLBTEXT, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(text));
            const auto* activity = reinterpret_cast<const CActivity*>(
                SendMessageA(Combo(), CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
            items.push_back(activity != nullptr && activity->GetPath() == text ? text : "?");
        }
        return items;
    }
    std::string Shown() const {
        const LRESULT index = SendMessageA(Combo(), CB_GETCURSEL, 0, 0);
        return index < 0 ? "-" : Items().at(static_cast<size_t>(index));
    }
    // What the user does: picks the item from the list.
    void Pick(const std::string& path) {
        const std::vector<std::string> items = Items();
        const auto found = std::find(items.begin(), items.end(), path);
        ASSERT_NE(found, items.end()) << path;
        SendMessageA(Combo(), CB_SETCURSEL, static_cast<WPARAM>(found - items.begin()), 0);
        SendMessageA(Dialog(), WM_COMMAND, MAKEWPARAM(kCombo, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Combo()));
    }

    CDialogWindow m_dialog;
    CProject m_project;
    std::map<std::string, CActivity*> m_a;
    std::unique_ptr<CActivityComboBox> m_box;
};

const std::initializer_list<const char*> kSample = {"A", " A1", "  A1a", " A2", "-B", " B1", "C"};

// Without follow, binding chooses the first activity, listed or not.
TEST_F(CActivityComboBoxTest, ListsTheTreeInOrderAndChoosesTheFirstActivity) {
    const struct {
        std::initializer_list<const char*> tree;
        bool onlyEnabled;
        std::vector<std::string> items;
        const char* chosen;
        const char* shown;
    } cases[] = {
        {kSample, false, {"A", "A\\A1", "A\\A1\\A1a", "A\\A2", "B", "B\\B1", "C"}, "A", "A"},
        // The children of a skipped activity are still listed.
        {kSample, true, {"A", "A\\A1", "A\\A1\\A1a", "A\\A2", "B\\B1", "C"}, "A", "A"},
        {{"-X", "Y"}, true, {"Y"}, "X", "-"},
        {{}, false, {}, nullptr, "-"},
    };
    for (const auto& test : cases) {
        CProject project;
        m_a.clear();
        Build(project, test.tree);
        CActivityComboBox& box = Open(test.onlyEnabled, false, &project);
        EXPECT_EQ(Items(), test.items) << test.items.size();
        EXPECT_EQ(box.GetActivity(), test.chosen != nullptr ? m_a[test.chosen] : nullptr);
        EXPECT_EQ(Shown(), test.shown);
        EXPECT_EQ(project.GetState()->GetSelectedActivity(), nullptr);
        m_box.reset();
    }
}

TEST_F(CActivityComboBoxTest, FollowingBoxesShareTheStatesSelection) {
    Build(m_project, kSample);
    CProjectState* state = m_project.GetState();
    state->SetSelectedActivity(m_a["C"]);
    CActivityComboBox& box = Open(false, true);
    EXPECT_EQ(Shown(), "C");
    Pick("A\\A2");
    EXPECT_EQ(state->GetSelectedActivity(), m_a["A2"]);
    // Another control moves the state's selection: the box shows it only when asked to.
    state->SetSelectedActivity(m_a["B"]);
    EXPECT_EQ(box.GetActivity(), m_a["B"]);
    EXPECT_EQ(Shown(), "A\\A2");
    box.SetActivity(m_a["B"]);
    EXPECT_EQ(Shown(), "B");
    // Without follow the choice is the box's own; an unlisted one leaves the shown item.
    Open(true, false);
    Pick("B\\B1");
    EXPECT_EQ(m_box->GetActivity(), m_a["B1"]);
    m_box->SetActivity(m_a["B"]);
    EXPECT_EQ(m_box->GetActivity(), m_a["B"]);
    EXPECT_EQ(Shown(), "B\\B1");
    EXPECT_EQ(state->GetSelectedActivity(), m_a["B"]);
}

TEST_F(CActivityComboBoxTest, ACommittedEditRefillsFromTheNewState) {
    Build(m_project, kSample);
    for (bool follow : {false, true}) {
        CActivityComboBox& box = Open(false, follow);
        Pick("C");
        CEditTransaction edit(m_project);
        CProjectState* edited = edit.GetState();
        edited->GetRootActivity()->AddChildActivity(new CActivity(edited, "D", true), -1);
        edit.Commit();
        ASSERT_EQ(m_project.GetState(), edited);
        EXPECT_EQ(Items().back(), "D");
        // Without follow the choice starts again at the top; following keeps the state's.
        ASSERT_NE(box.GetActivity(), nullptr);
        EXPECT_EQ(box.GetActivity()->GetProjectState(), edited);
        EXPECT_EQ(Shown(), follow ? "C" : "A");
    }
}

TEST_F(CActivityComboBoxTest, RemovedActivitiesLeaveTheList) {
    Build(m_project, kSample);
    CActivityComboBox& box = Open(false, false);
    Pick("A\\A1\\A1a");
    delete m_a["A1"];
    EXPECT_EQ(Items(), std::vector<std::string>({"A", "A\\A2", "B", "B\\B1", "C"}));
    EXPECT_EQ(box.GetActivity(), nullptr);
}

TEST_F(CActivityComboBoxTest, StartingAndStoppingWorkRedrawsTheBox) {
    Build(m_project, kSample);
    Open(false, true);
    for (int step = 0; step < 2; ++step) {
        UpdateWindow(Dialog());
        ASSERT_FALSE(GetUpdateRect(Combo(), nullptr, FALSE));
        if (step == 0) {
            m_a["A2"]->StartTallymark();
        } else {
            m_project.GetState()->GetCurrentTallymark()->EndNow();
        }
        EXPECT_TRUE(GetUpdateRect(Combo(), nullptr, FALSE)) << step;
    }
}

// Items are drawn from their own data, whatever their index; data that no listed item
// holds (stale or missing) is skipped and never read.
TEST_F(CActivityComboBoxTest, ItemsAreDrawnFromTheirOwnDataAndStaleOnesSkipped) {
    Build(m_project, kSample);
    Open(false, false);
    CActivity* removed = m_a["C"];
    delete removed;
    const auto data = [](const CActivity* activity) {
        return reinterpret_cast<ULONG_PTR>(activity);
    };
    const struct {
        int item;
        ULONG_PTR data;
        UINT state;
        bool drawn;
    } cases[] = {
        {0, data(m_a["A1a"]), 0, true},
        {0, data(m_a["B"]), ODS_COMBOBOXEDIT | ODS_SELECTED, true},
        {99, 0x10, 0, false},           // an index beyond the items, bad data
        {4, data(removed), 0, false},   // an activity that left the tree
        {0, 0, 0, false},               // no data
        {-1, data(m_a["A"]), 0, false}, // the empty selection field
    };
    const COLORREF untouched = RGB(255, 0, 255);
    for (const auto& test : cases) {
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 18);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(dc, bitmap);
        DRAWITEMSTRUCT draw = {ODT_COMBOBOX,
                               kCombo,
                               static_cast<UINT>(test.item),
                               ODA_DRAWENTIRE,
                               test.state,
                               Combo(),
                               dc,
                               {0, 0, 200, 18},
                               test.data};
        HBRUSH magenta = CreateSolidBrush(untouched);
        FillRect(dc, &draw.rcItem, magenta);
        DeleteObject(magenta);
        EXPECT_EQ(SendMessageA(Dialog(), WM_DRAWITEM, kCombo, reinterpret_cast<LPARAM>(&draw)),
                  TRUE);
        const bool selected = (test.state & ODS_SELECTED) != 0;
        const COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
        EXPECT_EQ(GetPixel(dc, 198, 9), test.drawn ? back : untouched) << test.item;
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
}

} // namespace
