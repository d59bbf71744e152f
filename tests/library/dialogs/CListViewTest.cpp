#include "library/dialogs/CListView.h"

#include "CTestDialog.h"
#include "DialogTestHelpers.h"
#include "DialogTestIds.h"
#include "harness/CUiScript.h"
#include "harness/UiControls.h"
#include "harness/WindowPicture.h"
#include "library/dialogs/CTabControl.h"
#include "library/text/CError.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using harness::CUiScript;

namespace {

struct SRow {
    std::string name;
    int hours;
};

// The owner of the list: rows, the states to show, and what the list reported.
class COwner : public IListViewCallback<SRow>, public IListViewDrawCallback<SRow> {
public:
    std::vector<SListViewColumn> columns = {{"Activity", 0, 90}, {"Hours", LVCFMT_RIGHT, 50}};
    std::vector<SRow> rows = {{"Design", 3}, {"Build", 5}, {"Test", 2}, {"Ship", 1}};
    size_t shown = 4;
    std::set<SRow*> selected, checked;
    SRow* focused = nullptr;
    int selectionReports = 0, checkReports = 0, activations = 0;
    std::vector<std::string> events; // keys, labels and drawn rows
    bool throwOnSelection = false;

    SRow* Row(size_t i) { return &rows[i]; }
    int GetColumnCount() override { return static_cast<int>(columns.size()); }
    SListViewColumn GetColumn(int index) override { return columns[static_cast<size_t>(index)]; }
    SListViewItemImage GetItemImage(SRow*) override { return {}; }
    SRow* EnumItems(int index, SRow* previous) override {
        EXPECT_EQ(previous, index == 0 ? nullptr : Row(static_cast<size_t>(index - 1)));
        return static_cast<size_t>(index) < shown ? Row(static_cast<size_t>(index)) : nullptr;
    }
    void GetSelectedItems(std::set<SRow*>& items) override { items = selected; }
    SRow* GetFocusedItem() override { return focused; }
    void GetCheckedItems(std::set<SRow*>& items) override { items = checked; }
    std::string GetItemText(SRow* item, int column) override {
        return column == 0 ? item->name : std::to_string(item->hours);
    }
    void OnSelectionChanged() override {
        ++selectionReports;
        if (throwOnSelection) {
            throw CError(1, "selection failed");
        }
    }
    void OnChecksChanged() override { ++checkReports; }
    void OnItemActivated() override { ++activations; }
    bool OnKeyDown(WORD key) override {
        events.push_back("key " + std::to_string(key));
        return key == VK_DELETE;
    }
    void OnLabelEdited(SRow* item, const std::string& text) override {
        events.push_back(item->name + "=" + text);
    }
    void OnColumnClicked(int column) override {
        events.push_back("column " + std::to_string(column));
    }
    void DrawItem(SRow* item, DRAWITEMSTRUCT*) override {
        events.push_back("draw " + (item != nullptr ? item->name : std::string("none")));
    }
};

std::vector<bool> CheckMarks(HWND dialog) {
    std::vector<bool> marks;
    for (int row = 0; row < harness::GetListRowCount(dialog, IDC_LIST); ++row) {
        marks.push_back(harness::IsListRowChecked(dialog, IDC_LIST, row));
    }
    return marks;
}

void SetRowState(HWND dialog, int row, UINT state, UINT mask) {
    CListViewControl::SetRowState(GetDlgItem(dialog, IDC_LIST), row, state, mask);
}

class CListViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
    }
    // A list with check boxes on the test dialog, filled from the owner.
    void Open(bool visible = false) {
        m_open.reset(new CModeless(m_dialog, IDD_MAIN, visible));
        m_list.Attach(m_dialog.GetHwnd(), IDC_LIST, nullptr, true);
        ASSERT_TRUE(m_list.Reload());
    }
    void Settle() {
        PumpUntil([] { return false; }, 200);
    }
    HWND Dialog() const { return m_dialog.GetHwnd(); }

    COwner m_owner;
    CTestDialog m_dialog;
    CListView<SRow> m_list{&m_owner};
    std::unique_ptr<CModeless> m_open;
};

TEST_F(CListViewTest, ReloadShowsTheOwnersItemsAndForgetsTheOldOnes) {
    m_owner.selected = {m_owner.Row(1)};
    m_owner.focused = m_owner.Row(1);
    m_owner.checked = {m_owner.Row(0), m_owner.Row(2)};
    Open();
    ASSERT_EQ(harness::GetListRowCount(Dialog(), IDC_LIST), 4);
    EXPECT_EQ(harness::GetListCell(Dialog(), IDC_LIST, 1, 0), "Build");
    EXPECT_EQ(harness::GetListCell(Dialog(), IDC_LIST, 1, 1), "5");
    EXPECT_EQ(CheckMarks(Dialog()), std::vector<bool>({true, false, true, false}));
    HWND list = m_list.GetList();
    EXPECT_EQ(CListViewControl::GetRowState(list, 1, LVIS_SELECTED | LVIS_FOCUSED),
              static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(m_list.GetFocused(), m_owner.Row(1));

    m_owner.shown = 2;
    m_owner.checked = {m_owner.Row(0)};
    m_owner.selected.clear();
    m_owner.focused = nullptr;
    ASSERT_TRUE(m_list.Reload());
    EXPECT_EQ(m_list.GetAllItems(), std::set<SRow*>({m_owner.Row(0), m_owner.Row(1)}));
    m_list.CheckAll(false);
    EXPECT_EQ(m_list.GetChecked(), m_list.GetAllItems());
    EXPECT_EQ(CheckMarks(Dialog()), std::vector<bool>({true, true}));
    m_list.CheckAll(true);
    EXPECT_TRUE(m_list.GetChecked().empty());
    EXPECT_EQ(CheckMarks(Dialog()), std::vector<bool>({false, false}));
}

TEST_F(CListViewTest, SetChecksFollowsTheRowsAndTheSet) {
    const struct {
        std::set<size_t> items;
        bool checked, othersOpposite;
        std::vector<bool> marks;
    } cases[] = {
        {{0}, false, true, {false, true, true, true}},
        {{1}, true, false, {true, true, true, false}},
        {{0, 2}, false, false, {false, false, false, false}},
        {{3}, true, true, {false, false, false, true}},
    };
    m_owner.checked = {m_owner.Row(0), m_owner.Row(2)};
    Open();
    for (const auto& test : cases) {
        ASSERT_TRUE(m_list.Reload());
        std::set<SRow*> items, expected;
        for (size_t i : test.items) {
            items.insert(m_owner.Row(i));
        }
        m_list.SetChecks(items, test.checked, test.othersOpposite);
        const std::vector<bool> marks = CheckMarks(Dialog());
        EXPECT_EQ(marks, test.marks);
        for (size_t i = 0; i < marks.size(); ++i) {
            if (marks[i]) {
                expected.insert(m_owner.Row(i));
            }
        }
        EXPECT_EQ(m_list.GetChecked(), expected);
    }
    Settle();
    EXPECT_EQ(m_owner.checkReports, 0);
}

// Bursts of a person's changes are reported once each; the list view's own changes
// are not reported.
TEST_F(CListViewTest, ChangesAreReportedOncePerBurst) {
    Open(true);
    for (int row = 0; row < 3; ++row) {
        SetRowState(Dialog(), row, LVIS_SELECTED, LVIS_SELECTED);
    }
    EXPECT_TRUE(PumpUntil([&] { return m_owner.selectionReports > 0; }));
    Settle();
    EXPECT_EQ(m_owner.selectionReports, 1);
    EXPECT_EQ(m_list.GetSelected().size(), 3u);

    SetRowState(Dialog(), 3, CListViewControl::kChecked, LVIS_STATEIMAGEMASK);
    SetRowState(Dialog(), 2, CListViewControl::kChecked, LVIS_STATEIMAGEMASK);
    EXPECT_TRUE(PumpUntil([&] { return m_owner.checkReports > 0; }));
    Settle();
    EXPECT_EQ(m_owner.checkReports, 1);
    EXPECT_EQ(m_owner.selectionReports, 1);
    EXPECT_EQ(m_list.GetChecked(), std::set<SRow*>({m_owner.Row(2), m_owner.Row(3)}));

    m_list.SelectOnly(m_owner.Row(3));
    m_list.InsertItem(m_owner.Row(0), 0);
    m_list.CheckAll(false);
    m_list.ClearRowStates();
    m_list.SelectItems({m_owner.Row(1)});
    Settle();
    EXPECT_EQ(m_owner.selectionReports, 1);
    EXPECT_EQ(m_owner.checkReports, 1);
    EXPECT_EQ(m_list.GetSelected(), std::set<SRow*>({m_owner.Row(3), m_owner.Row(1)}));

    NMITEMACTIVATE activate = {};
    activate.hdr = {m_list.GetList(), IDC_LIST, static_cast<UINT>(LVN_ITEMACTIVATE)};
    for (int i = 0; i < 2; ++i) {
        SendMessageA(Dialog(), WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&activate));
    }
    EXPECT_TRUE(PumpUntil([&] { return m_owner.activations > 0; }));
    Settle();
    EXPECT_EQ(m_owner.activations, 1);
}

TEST_F(CListViewTest, SelectOnlyAndRemoveKeepTheSetsTrue) {
    m_owner.selected = {m_owner.Row(0), m_owner.Row(2)};
    m_owner.checked = {m_owner.Row(2)};
    Open();
    m_list.SelectOnly(m_owner.Row(2));
    EXPECT_EQ(m_list.GetSelected(), std::set<SRow*>({m_owner.Row(2)}));
    EXPECT_EQ(m_list.GetFocused(), m_owner.Row(2));
    EXPECT_EQ(CListViewControl::GetRowState(m_list.GetList(), 0, LVIS_SELECTED), 0u);

    m_list.RemoveItem(m_owner.Row(2));
    EXPECT_EQ(m_list.GetFocused(), nullptr);
    EXPECT_TRUE(m_list.GetSelected().empty());
    EXPECT_TRUE(m_list.GetChecked().empty());
    EXPECT_EQ(m_list.GetAllItems().count(m_owner.Row(2)), 0u);
    EXPECT_EQ(harness::GetListRowCount(Dialog(), IDC_LIST), 3);
    EXPECT_EQ(m_list.FindRow(m_owner.Row(3)), 2);
}

// A change of item -1 stands for every row.
TEST_F(CListViewTest, ChangeOfEveryRowAtOnce) {
    Open();
    m_list.SelectItems({m_owner.Row(0), m_owner.Row(1), m_owner.Row(3)});
    m_list.ClearRowStates(); // the rows lose their selection, the set does not
    ASSERT_EQ(m_list.GetSelected().size(), 3u);
    NMLISTVIEW change = {};
    change.hdr = {m_list.GetList(), IDC_LIST, static_cast<UINT>(LVN_ITEMCHANGED)};
    change.iItem = -1;
    change.uChanged = LVIF_STATE;
    change.uOldState = LVIS_SELECTED;
    SendMessageA(Dialog(), WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&change));
    EXPECT_TRUE(m_list.GetSelected().empty());
    EXPECT_TRUE(PumpUntil([&] { return m_owner.selectionReports == 1; }));
}

TEST_F(CListViewTest, ColumnsNeverBecomeNarrowerThan30Pixels) {
    m_owner.columns.push_back({"", 0, 60});
    Open(true);
    HWND list = m_list.GetList();
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    // A person drags the first divider to 10 pixels.
    RECT first;
    SendMessageA(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    const int y = (first.top + first.bottom) / 2;
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.right - 1, y));
    SendMessageA(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(first.left + 10, y));
    SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(first.left + 10, y));
    EXPECT_TRUE(PumpUntil([&] { return CListViewControl::GetColumnWidth(list, 0) == 30; }))
        << CListViewControl::GetColumnWidth(list, 0);

    // A double click on the divider of the empty column fits it to its empty content.
    RECT third;
    SendMessageA(header, HDM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&third));
    SendMessageA(header, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(third.right - 1, y));
    EXPECT_TRUE(PumpUntil([&] { return CListViewControl::GetColumnWidth(list, 2) == 30; }))
        << CListViewControl::GetColumnWidth(list, 2);

    // The wide notification codes count too.
    CListViewControl::SetColumnWidth(list, 2, 12);
    NMHEADERA track = {};
    track.hdr = {header, 0, static_cast<UINT>(HDN_ENDTRACKW)};
    track.iItem = 2;
    SendMessageA(Dialog(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&track));
    EXPECT_TRUE(PumpUntil([&] { return CListViewControl::GetColumnWidth(list, 2) == 30; }));
}

TEST_F(CListViewTest, StretchColumnTakesTheRestOfTheWidth) {
    m_owner.columns = {{"Activity", 0, 20}, {"Hours", 0, -40}};
    Open();
    RECT client;
    GetClientRect(m_list.GetList(), &client);
    std::vector<int> widths;
    m_list.GetColumnWidths(widths);
    EXPECT_EQ(widths,
              std::vector<int>({30, CListViewControl::StretchWidth(
                                        client.right, GetSystemMetrics(SM_CXVSCROLL), 30, 40)}));
    EXPECT_GT(widths[1], 40);
}

// The width a heading needs to show whole: its text and the header's margin each side.
int HeadingNeeds(HWND list, const std::string& title) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    const int text = static_cast<int>(
        SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(title.c_str())));
    return text + 2 * static_cast<int>(SendMessageA(header, HDM_GETBITMAPMARGIN, 0, 0));
}

// A default width (never stored) never cuts its heading, in any language: it is raised to
// what the heading needs, a stretching column keeps at least that, and a column inserted
// later is no different. A width the user left comes back as it was (at least 30 pixels
// on the first sizing), however much of its heading it shows.
TEST_F(CListViewTest, DefaultWidthsFitTheirHeadingsStoredOnesComeBackAsLeft) {
    const struct {
        const char* list;
        std::vector<SListViewColumn> columns;
        SListViewColumn insertedLater;
    } cases[] = {
        {"manage activities, English, stored",
         {{"Activity", 0, -120, false}, {"In use", LVCFMT_RIGHT, 20, false}},
         {"In use", 0, 40, false}},
        {"manage activities, Dutch, defaults",
         {{"Activiteit", 0, -120, true}, {"In gebruik", LVCFMT_RIGHT, 40, true}},
         {"In gebruik", 0, 25, true}},
        {"tally marks, Dutch, stored",
         {{"Start", 0, 150, false},
          {"Einde", 0, 10, false},
          {"Duur", 0, 0, false},
          {"Activiteit", 0, -5, false}},
         {"Duur", 0, 31, false}},
        {"export result, English, defaults",
         {{"Activity", 0, 40, true}, {"Result", 0, 30, true}, {"Traces", 0, -1, true}},
         {"Traces", 0, 200, true}},
        {"main window, Dutch, stored time columns",
         {{"Activiteit", 0, -120, false}, {"week 49 van 2026", LVCFMT_RIGHT, 50, false}},
         {"december 2026", LVCFMT_RIGHT, 45, false}},
        {"main window, Dutch, defaults",
         {{"Activiteit", 0, -120, true}, {"week 49 van 2026", LVCFMT_RIGHT, 50, true}},
         {"december 2026", LVCFMT_RIGHT, 60, true}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.list);
        m_owner.columns = test.columns;
        CListView<SRow> view(&m_owner);
        CModeless open(m_dialog, IDD_MAIN);
        view.Attach(Dialog(), IDC_LIST, nullptr, false);
        m_owner.columns.push_back(test.insertedLater);
        view.InsertColumn(static_cast<int>(test.columns.size()));
        HWND list = view.GetList();
        std::vector<int> widths;
        view.GetColumnWidths(widths);
        ASSERT_EQ(widths.size(), m_owner.columns.size());
        for (size_t column = 0; column < widths.size(); ++column) {
            const SListViewColumn& given = m_owner.columns[column];
            SCOPED_TRACE(given.title);
            const int needs = HeadingNeeds(list, given.title);
            const bool inserted = column == test.columns.size();
            if (given.width < 0) {
                EXPECT_GE(widths[column], std::max(-given.width, 30));
            }
            if (given.defaultWidth) {
                EXPECT_GE(widths[column], needs);
                if (given.width >= needs) {
                    EXPECT_EQ(widths[column], given.width); // a default that fits stays
                }
            } else if (given.width >= 0) {
                EXPECT_EQ(widths[column], inserted ? given.width : std::max(given.width, 30));
            }
        }
    }
}

// Keys, finished label edits (not cancelled ones) and rows to draw reach the owner.
TEST_F(CListViewTest, KeysLabelsAndDrawing) {
    Open(true);
    HWND list = m_list.GetList();
    SendMessageA(list, WM_KEYDOWN, VK_DELETE, 1);
    NMLVDISPINFOA edit = {};
    edit.hdr = {list, IDC_LIST, static_cast<UINT>(LVN_ENDLABELEDITA)};
    edit.item.iItem = 1;
    for (const char* text : {"Construct", static_cast<const char*>(nullptr)}) {
        edit.item.pszText = const_cast<char*>(text);
        SendMessageA(Dialog(), WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&edit));
    }
    m_list.SetDrawCallback(&m_owner);
    DRAWITEMSTRUCT draw = {};
    draw.CtlID = IDC_LIST;
    for (UINT row : {2u, static_cast<UINT>(-1)}) {
        draw.itemID = row;
        EXPECT_EQ(SendMessageA(Dialog(), WM_DRAWITEM, IDC_LIST, reinterpret_cast<LPARAM>(&draw)),
                  TRUE);
    }
    EXPECT_EQ(m_owner.events,
              std::vector<std::string>({"key 46", "Build=Construct", "draw Test", "draw none"}));
}

// The whole test dialog, driven modally: tab pages, the list, anchors and the size
// grip; a failure in the owner's slot ends it. Its picture is kept in the build folder.
TEST_F(CListViewTest, ModalDialogWithTabsAndListEndsOnTheOwnersError) {
    CTabControl tabs;
    const int pages[] = {IDD_PAGE_SMALL, IDD_PAGE_WIDE, IDD_PAGE_TALL};
    const SItemAnchor anchors[] = {
        {IDC_LIST, 1, 0, 1, 0}, {IDOK, 0, 1, 0, 1}, {IDCANCEL, 0, 1, 0, 1}};
    m_owner.checked = {m_owner.Row(1)};
    m_owner.throwOnSelection = true;
    m_dialog.onInitialize = [&] {
        HWND dialog = m_dialog.GetHwnd();
        tabs.CreatePages(dialog, GetDlgItem(dialog, IDC_TABS), CResourceModule(), 3, pages);
        m_dialog.AnchorItems(dialog, anchors);
        m_list.Attach(dialog, IDC_LIST, nullptr, true);
        m_list.Reload();
    };
    bool pictureSaved = false;
    std::string caught;
    CUiScript script;
    script
        .Do([&] {
            m_dialog.SetSize(m_dialog.GetInitialSize().width + 80,
                             m_dialog.GetInitialSize().height + 40);
            tabs.SelectPage(1);
            pictureSaved =
                harness::SaveWindowPicture(m_dialog.GetHwnd(), "dialogs-test-dialog.bmp");
        })
        .Do([&] { harness::SelectListRow(m_dialog.GetHwnd(), IDC_LIST, 2); });
    SDialogParams params = CTestDialog::Params(IDD_MAIN, IDA_MAIN);
    params.sizeGrip = true;
    script.Run([&] {
        try {
            m_dialog.Create(params);
        } catch (const CError& error) {
            caught = error.GetText();
        }
    });
    EXPECT_TRUE(pictureSaved);
    EXPECT_EQ(caught, "selection failed");
    EXPECT_EQ(m_owner.selectionReports, 1);
    EXPECT_FALSE(m_dialog.HasWindow());
}

} // namespace
