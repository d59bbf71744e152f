#include "mainwindow/CActivityTreeList.h"

#include "TreeListTestIds.h"
#include "app/ui/SharedPictures.h"
#include "harness/MessagePump.h"
#include "harness/UiControls.h"
#include "library/dialogs/CDialogWindow.h"
#include "model/CEditTransaction.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

const int kList = IDC_TREELIST_TEST_LIST;

std::string Name(const CActivity* activity) {
    return activity != nullptr ? activity->GetName() : "-";
}

// The owner: a name column and a note column (the activity's path unless a note is set),
// and the selections it heard, each with the state's selection at that moment.
class COwner : public IActivityTreeListCallbacks {
public:
    std::vector<SListViewColumn> columns = {{"Activity", 0, 120}, {"Note", LVCFMT_RIGHT, 80}};
    std::map<const CActivity*, std::string> notes;
    std::set<CActivity*> checked;
    CProjectState* state = nullptr;
    std::vector<std::string> heard;

    int GetNumColumns() override { return static_cast<int>(columns.size()); }
    SListViewColumn GetColumn(int index) override { return columns.at(static_cast<size_t>(index)); }
    std::string GetColumnText(CActivity* activity, int) override {
        const auto note = notes.find(activity);
        return note != notes.end() ? note->second : activity->GetPath();
    }
    void OnSelectionChanged(CActivity* activity) override {
        heard.push_back("select " + Name(activity) + ", state " +
                        Name(state != nullptr ? state->GetSelectedActivity() : nullptr));
    }
    void OnChecksChanged() override {}
    void OnItemActivated(CActivity*) override {}
    bool OnKeyDown(WORD) override { return false; }
    void GetCheckedActivities(std::set<CActivity*>& set) override { set = checked; }
};

// Records the rows whose cells are written while it lives.
class CCellWriteSpy {
public:
    explicit CCellWriteSpy(HWND list) : m_list(list) {
        s_spy = this;
        m_previous = SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
    }
    ~CCellWriteSpy() {
        SetWindowLongPtrA(m_list, GWLP_WNDPROC, m_previous);
        s_spy = nullptr;
    }
    CCellWriteSpy(const CCellWriteSpy&) = delete;
    CCellWriteSpy& operator=(const CCellWriteSpy&) = delete;
    std::vector<int> rows;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == LVM_SETITEMA) {
            s_spy->rows.push_back(reinterpret_cast<LVITEMA*>(lParam)->iItem);
        } else if (message == LVM_SETITEMTEXTA) {
            s_spy->rows.push_back(static_cast<int>(wParam));
        }
        return CallWindowProcA(reinterpret_cast<WNDPROC>(s_spy->m_previous), window, message,
                               wParam, lParam);
    }
    static CCellWriteSpy* s_spy;
    HWND m_list;
    LONG_PTR m_previous = 0;
};
CCellWriteSpy* CCellWriteSpy::s_spy = nullptr;

class CActivityTreeListTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        LoadIconsAndImageLists(GetModuleHandleA(nullptr));
    }
    void SetUp() override {
        SDialogParams params;
        params.dialogId = IDD_TREELIST_TEST;
        params.instance = params.fallbackInstance = GetModuleHandleA(nullptr);
        params.modal = false;
        params.showMode = 1;
        ASSERT_EQ(m_dialog.Create(params), 0);
        m_owner.state = m_project.GetState();
        Build(m_project.GetState()->GetRootActivity(),
              {"A", " A1", "  A1a", " A2", "-B", " B1", "C"});
    }
    void TearDown() override {
        m_list.reset();
        m_dialog.Close();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    // One line per name, indented by one blank a level; "-" marks a disabled activity.
    void Build(CActivity* root, std::initializer_list<const char*> lines) {
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
    CActivityTreeList& Open(bool follow = false, bool checkBoxes = false) {
        m_list.reset(new CActivityTreeList(m_owner, follow));
        m_list->Attach(Dialog(), kList, checkBoxes);
        m_list->SetProject(&m_project, m_project.GetState());
        return *m_list;
    }
    HWND Dialog() const { return m_dialog.GetHwnd(); }
    HWND List() const { return GetDlgItem(Dialog(), kList); }
    // Each row as indent blanks, name and image; "?" when the row's item is not the named
    // activity.
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (int row = 0; row < harness::GetListRowCount(Dialog(), kList); ++row) {
            char text[64] = {};
            LVITEMA item = {};
            item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_INDENT | LVIF_PARAM;
            item.iItem = row;
            item.pszText = text;
            item.cchTextMax = sizeof(text);
            SendMessageA(List(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
            const bool same = Name(reinterpret_cast<CActivity*>(item.lParam)) == text;
            rows.push_back(std::string(static_cast<size_t>(item.iIndent), ' ') + text + " " +
                           std::to_string(item.iImage) + (same ? "" : "?"));
        }
        return rows;
    }
    // The rows the committed tree calls for, walked independently of the list.
    std::vector<std::string> Expected() const {
        std::vector<std::string> rows;
        CProjectState* state = m_project.GetState();
        std::function<void(const CActivity*)> walk = [&](const CActivity* parent) {
            for (const CActivity* a = parent->GetFirstChild(); a; a = a->GetNextSibling()) {
                const int image = a == state->GetCurrentActivity() ? 2 : a->IsEnabled() ? 1 : 0;
                rows.push_back(std::string(static_cast<size_t>(a->GetDepth() - 1), ' ') +
                               a->GetName() + " " + std::to_string(image));
                walk(a);
            }
        };
        walk(state->GetRootActivity());
        return rows;
    }
    std::string SelectedRows() const {
        std::string names;
        for (int row = -1; (row = static_cast<int>(
                                SendMessageA(List(), LVM_GETNEXTITEM, row, LVNI_SELECTED))) >= 0;) {
            names += harness::GetListCell(Dialog(), kList, row, 0) + ";";
        }
        return names;
    }

    CProject m_project;
    COwner m_owner;
    CDialogWindow m_dialog;
    std::unique_ptr<CActivityTreeList> m_list;
    std::map<std::string, CActivity*> m_a;
};

TEST_F(CActivityTreeListTest, RowsShowTheTreeInPreOrderWithIndentsAndImages) {
    Open();
    EXPECT_EQ(Rows(), std::vector<std::string>(
                          {"A 1", " A1 1", "  A1a 1", " A2 1", "B 0", " B1 1", "C 1"}));
    EXPECT_EQ(harness::GetListCell(Dialog(), kList, 2, 1), "A\\A1\\A1a");
    EXPECT_EQ(SendMessageA(List(), LVM_GETIMAGELIST, LVSIL_SMALL, 0),
              reinterpret_cast<LRESULT>(ActivityImageList().Get()));
    EXPECT_EQ(SelectedRows(), "A;");

    CProject empty;
    m_list->SetProject(&empty, empty.GetState());
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(m_list->GetFocused(), nullptr);
}

TEST_F(CActivityTreeListTest, WorkChangesTheImagesOfTheTwoRowsConcerned) {
    Open();
    CCellWriteSpy spy(List());
    CTallymark* first = m_a["A1a"]->StartTallymark();
    EXPECT_EQ(Rows()[2], "  A1a 2");
    first->EndNow();
    CTallymark* second = m_a["C"]->StartTallymark();
    EXPECT_EQ(Rows(), Expected());
    EXPECT_EQ(Rows()[6], "C 2");
    second->EndNow();
    EXPECT_EQ(Rows()[6], "C 1");
    EXPECT_EQ(spy.rows, std::vector<int>({2, 2, 6, 6}));
}

// Every step changes the committed tree; the rows must then be what a reload shows, and
// the moved activity keeps its selection.
TEST_F(CActivityTreeListTest, AddedAndMovedSubtreesLandWhereAReloadPutsThem) {
    CActivityTreeList& list = Open();
    CProjectState* state = m_project.GetState();
    auto add = [&](const char* name, const char* parent, int position) {
        m_a[name] = new CActivity(state, name, true);
        (parent ? m_a[parent] : state->GetRootActivity())->AddChildActivity(m_a[name], position);
    };
    auto move = [&](const char* name, const char* parent, int position) {
        list.SelectActivity(m_a[name]);
        (parent ? m_a[parent] : state->GetRootActivity())->AddChildActivity(m_a[name], position);
        EXPECT_EQ(SelectedRows(), std::string(name) + ";");
    };
    const struct {
        const char* what;
        std::function<void()> step;
    } steps[] = {
        {"new leaf", [&] { add("X", "A2", -1); }},
        {"new first activity", [&] { add("Y", nullptr, 0); }},
        {"new subtree",
         [&] {
             CActivity* z = new CActivity(state, "Z", true);
             z->AddChildActivity(new CActivity(state, "Z1", false), -1);
             m_a["B"]->AddChildActivity(z, 0);
         }},
        {"subtree down between two others", [&] { move("A", nullptr, 2); }},
        {"subtree down to the end", [&] { move("A1", nullptr, -1); }},
        {"subtree up to the top", [&] { move("B", nullptr, 0); }},
        {"leaf up into a subtree", [&] { move("C", "A", 0); }},
        {"subtree down into a deeper level", [&] { move("A", "A1a", -1); }},
        {"subtree up out of a deeper level", [&] { move("A2", "Y", 0); }},
        {"in place", [&] { move("B1", "B", 1); }},
    };
    for (const auto& step : steps) {
        step.step();
        EXPECT_EQ(Rows(), Expected()) << step.what;
    }
    const std::vector<std::string> shown = Rows();
    list.Reload();
    EXPECT_EQ(Rows(), shown);
}

TEST_F(CActivityTreeListTest, RemovedSubtreesLeaveTheRowsAndTheSets) {
    m_owner.checked = {m_a["A1a"], m_a["C"]};
    CActivityTreeList& list = Open(false, true);
    list.SelectActivity(m_a["A1"]);
    m_a["A1a"]->StartTallymark();
    m_a["A"]->RemoveChildActivity(m_a["A1"], true);
    EXPECT_EQ(Rows(), std::vector<std::string>({"A 1", " A2 1", "B 0", " B1 1", "C 1"}));
    EXPECT_TRUE(list.GetSelected().empty());
    EXPECT_EQ(list.GetFocused(), nullptr);
    EXPECT_EQ(list.GetChecked(), std::set<CActivity*>({m_a["C"]}));
    delete m_a["A1"];
    delete m_a["B"];
    m_a["C"]->StartTallymark();
    EXPECT_EQ(Rows(), std::vector<std::string>({"A 1", " A2 1", "C 2"}));
    EXPECT_EQ(list.GetAllItems().size(), 3u);
}

TEST_F(CActivityTreeListTest, CommittedEditReloadsAndSelectsTheFirstRowWhenNoneIsSelected) {
    m_owner.state = nullptr; // the committed state is replaced
    for (bool follow : {false, true}) {
        Open(follow);
        CEditTransaction edit(m_project);
        CProjectState* edited = edit.GetState();
        CActivity* root = edited->GetRootActivity();
        root->AddChildActivity(new CActivity(edited, "D", true), -1);
        if (follow) {
            edited->SetSelectedActivity(root->GetLastChild());
        }
        edit.Commit();
        EXPECT_EQ(Rows(), Expected());
        EXPECT_EQ(Rows().back(), "D 1");
        EXPECT_EQ(SelectedRows(), follow ? "D;" : "A;");
        const std::string renamed = follow ? "Alpha" : "Ahead";
        root->GetFirstChild()->SetName(renamed);
        EXPECT_EQ(Rows().front(), renamed + " 1");
        harness::PumpUntil([] { return false; }, 120);
        EXPECT_TRUE(m_owner.heard.empty());
    }
}

TEST_F(CActivityTreeListTest, FollowSetsTheStatesSelectionBeforeTheOwnerHears) {
    const struct {
        bool follow;
        const char* heard;
        const char* stateAfterSelect;
    } cases[] = {{true, "select A2, state A2", "C"}, {false, "select A2, state -", "-"}};
    for (const auto& test : cases) {
        m_project.GetState()->SetSelectedActivity(nullptr);
        m_owner.heard.clear();
        CActivityTreeList& list = Open(test.follow);
        harness::SelectListRow(Dialog(), kList, 3);
        harness::PumpUntil([&] { return !m_owner.heard.empty(); }, 2000);
        EXPECT_EQ(m_owner.heard, std::vector<std::string>({test.heard}));
        list.SelectActivity(m_a["C"]);
        harness::PumpUntil([] { return false; }, 120);
        EXPECT_EQ(m_owner.heard.size(), 1u);
        EXPECT_EQ(SelectedRows(), "C;");
        EXPECT_EQ(Name(m_project.GetState()->GetSelectedActivity()), test.stateAfterSelect);
    }
}

TEST_F(CActivityTreeListTest, LabelEditRenamesThroughTheModel) {
    Open();
    const struct {
        const char* typed;
        UINT key;
        const char* name;
    } edits[] = {{"Alpha one", VK_RETURN, "Alpha one"}, {"Dropped", VK_ESCAPE, "Alpha one"}};
    for (const auto& edit : edits) {
        HWND box = reinterpret_cast<HWND>(SendMessageA(List(), LVM_EDITLABELA, 1, 0));
        ASSERT_NE(box, nullptr);
        SetWindowTextA(box, edit.typed);
        SendMessageA(box, WM_KEYDOWN, edit.key, 1);
        EXPECT_EQ(m_a["A1"]->GetName(), edit.name);
        EXPECT_EQ(harness::GetListCell(Dialog(), kList, 1, 0), edit.name);
        EXPECT_EQ(harness::GetListCell(Dialog(), kList, 1, 1), std::string("A\\") + edit.name);
    }
}

TEST_F(CActivityTreeListTest, ColumnsChangeAndOnlyChangedCellsAreRewritten) {
    CActivityTreeList& list = Open();
    {
        CCellWriteSpy spy(List());
        list.UpdateColumn(1);
        m_owner.notes[m_a["C"]] = "5 h";
        list.UpdateColumn(1);
        list.UpdateActivityCell(m_a["C"], 1);
        m_owner.notes[m_a["C"]] = "6 h";
        list.UpdateActivityCell(m_a["C"], 1);
        EXPECT_EQ(spy.rows, std::vector<int>({6, 6}));
    }
    EXPECT_EQ(harness::GetListCell(Dialog(), kList, 6, 1), "6 h");
    HWND header = reinterpret_cast<HWND>(SendMessageA(List(), LVM_GETHEADER, 0, 0));
    list.RemoveColumn(1);
    EXPECT_EQ(list.GetColumns().size(), 1u);
    EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 1);
    list.InsertColumn(1);
    EXPECT_EQ(harness::GetListCell(Dialog(), kList, 2, 1), "A\\A1\\A1a");
    list.SetColumn(1, {"Week", LVCFMT_RIGHT, 50});
    char title[16] = {};
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = title;
    column.cchTextMax = sizeof(title);
    SendMessageA(List(), LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
    EXPECT_EQ(std::string(title), "Week");
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);
    EXPECT_EQ(list.GetColumns().at(1).title, "Week");
}

TEST_F(CActivityTreeListTest, DrawnRowsTakeTheSelectionColours) {
    Open();
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 20);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (bool selected : {true, false}) {
        DRAWITEMSTRUCT draw = {ODT_LISTVIEW,
                               static_cast<UINT>(kList),
                               1,
                               ODA_DRAWENTIRE,
                               selected ? static_cast<UINT>(ODS_SELECTED) : 0u,
                               List(),
                               dc,
                               {0, 0, 200, 20},
                               0};
        EXPECT_EQ(SendMessageA(Dialog(), WM_DRAWITEM, kList, reinterpret_cast<LPARAM>(&draw)),
                  TRUE);
        EXPECT_EQ(GetPixel(dc, 195, 18), GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

TEST_F(CActivityTreeListTest, ADestroyedOrUnboundProjectLeavesNoRows) {
    auto other = std::make_unique<CProject>();
    Build(other->GetState()->GetRootActivity(), {"P", " P1"});
    CActivityTreeList& list = Open();
    list.SetProject(other.get(), other->GetState());
    m_a["C"]->SetName("Changed in the unbound project");
    EXPECT_EQ(Rows(), std::vector<std::string>({"P 1", " P1 1"}));
    other.reset();
    EXPECT_TRUE(Rows().empty());
    EXPECT_TRUE(list.GetAllItems().empty());
    list.Reload(); // nothing of the destroyed tree is touched
    EXPECT_TRUE(Rows().empty());
    list.SetProject(nullptr, nullptr);
    EXPECT_TRUE(Rows().empty());
}

} // namespace
