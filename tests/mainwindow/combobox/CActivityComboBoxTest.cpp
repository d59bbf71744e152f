#include "mainwindow/CActivityComboBox.h"

#include "ComboBoxTestIds.h"
#include "app/ui/SharedPictures.h"
#include "library/dialogs/CDialogWindow.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"

#include <commctrl.h>
#include <gtest/gtest.h>

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
    void Build(std::initializer_list<const char*> lines) {
        CActivity* root = m_project.GetState()->GetRootActivity();
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
    void BuildSample() { Build({"A", " A1", "  A1a", " A2", "-B", " B1", "C"}); }
    CActivityComboBox& Open(bool onlyEnabled, bool follow) {
        m_box.reset();
        m_box.reset(new CActivityComboBox(onlyEnabled, follow));
        EXPECT_TRUE(m_box->Attach(Dialog(), kCombo));
        m_box->SetProject(&m_project, m_project.GetState());
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
    int IndexOf(const std::string& path) const {
        const std::vector<std::string> items = Items();
        for (size_t index = 0; index < items.size(); ++index) {
            if (items[index] == path) {
                return static_cast<int>(index);
            }
        }
        return -1;
    }
    // What the user does: picks the item from the list.
    void Pick(const std::string& path) {
        const int index = IndexOf(path);
        ASSERT_GE(index, 0) << path;
        SendMessageA(Combo(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(Dialog(), WM_COMMAND, MAKEWPARAM(kCombo, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Combo()));
    }

    CDialogWindow m_dialog;
    CProject m_project;
    std::map<std::string, CActivity*> m_a;
    std::unique_ptr<CActivityComboBox> m_box;
};

TEST_F(CActivityComboBoxTest, ListsTheTreeInOrderAndChoosesTheFirstActivity) {
    BuildSample();
    const struct {
        bool onlyEnabled;
        std::vector<std::string> items;
    } cases[] = {
        {false, {"A", "A\\A1", "A\\A1\\A1a", "A\\A2", "B", "B\\B1", "C"}},
        // The children of a skipped activity are still listed.
        {true, {"A", "A\\A1", "A\\A1\\A1a", "A\\A2", "B\\B1", "C"}},
    };
    for (const auto& test : cases) {
        CActivityComboBox& box = Open(test.onlyEnabled, false);
        EXPECT_EQ(Items(), test.items) << test.onlyEnabled;
        EXPECT_EQ(box.GetActivity(), m_a["A"]);
        EXPECT_EQ(Shown(), "A");
        EXPECT_EQ(m_project.GetState()->GetSelectedActivity(), nullptr);
    }
}

TEST_F(CActivityComboBoxTest, AnEmptyTreeOrNoProjectListsAndChoosesNothing) {
    for (bool follow : {false, true}) {
        CActivityComboBox& box = Open(false, follow);
        EXPECT_TRUE(Items().empty());
        EXPECT_EQ(box.GetActivity(), nullptr);
        box.SelectFirst();
        EXPECT_EQ(box.GetActivity(), nullptr);
    }
    BuildSample();
    CActivityComboBox& box = Open(false, false);
    box.SetProject(nullptr, nullptr);
    EXPECT_TRUE(Items().empty());
    EXPECT_EQ(box.GetActivity(), nullptr);
}

TEST_F(CActivityComboBoxTest, ADisabledFirstActivityIsChosenButNotShown) {
    Build({"-X", "Y"});
    CActivityComboBox& box = Open(true, false);
    EXPECT_EQ(Items(), std::vector<std::string>({"Y"}));
    EXPECT_EQ(box.GetActivity(), m_a["X"]);
    EXPECT_EQ(Shown(), "-");
    // An unlisted choice leaves the shown selection as it is.
    box.SetActivity(m_a["Y"]);
    box.SetActivity(m_a["X"]);
    EXPECT_EQ(box.GetActivity(), m_a["X"]);
    EXPECT_EQ(Shown(), "Y");
}

TEST_F(CActivityComboBoxTest, FollowingBoxesShareTheStatesSelection) {
    BuildSample();
    CProjectState* state = m_project.GetState();
    state->SetSelectedActivity(m_a["C"]);
    CActivityComboBox& box = Open(false, true);
    EXPECT_EQ(box.GetActivity(), m_a["C"]);
    EXPECT_EQ(Shown(), "C");
    Pick("A\\A2");
    EXPECT_EQ(state->GetSelectedActivity(), m_a["A2"]);
    // Another control moves the state's selection: the box shows its item again only when
    // asked to.
    state->SetSelectedActivity(m_a["B"]);
    EXPECT_EQ(box.GetActivity(), m_a["B"]);
    EXPECT_EQ(Shown(), "A\\A2");
    box.SetActivity(m_a["B"]);
    EXPECT_EQ(Shown(), "B");

    Open(false, false);
    Pick("B\\B1");
    EXPECT_EQ(m_box->GetActivity(), m_a["B1"]);
    EXPECT_EQ(state->GetSelectedActivity(), m_a["B"]);
}

TEST_F(CActivityComboBoxTest, ACommittedEditRefillsFromTheNewState) {
    BuildSample();
    for (bool follow : {false, true}) {
        CActivityComboBox& box = Open(false, follow);
        Pick("C");
        m_project.StartStateTracking();
        CProjectState* edited = m_project.GetState(true);
        CActivity* root = edited->GetRootActivity();
        root->AddChildActivity(new CActivity(edited, "D", true), -1);
        m_project.EndStateTracking(true);
        ASSERT_EQ(m_project.GetState(), edited);
        EXPECT_EQ(Items().back(), "D");
        // Without follow the choice starts again at the top; following keeps the state's.
        ASSERT_NE(box.GetActivity(), nullptr);
        EXPECT_EQ(box.GetActivity()->GetProjectState(), edited);
        EXPECT_EQ(box.GetActivity()->GetName(), follow ? "C" : "A");
        EXPECT_EQ(Shown(), follow ? "C" : "A");
    }
}

TEST_F(CActivityComboBoxTest, RemovedActivitiesLeaveTheList) {
    BuildSample();
    CActivityComboBox& box = Open(false, false);
    Pick("A\\A1\\A1a");
    delete m_a["A1"];
    EXPECT_EQ(Items(), std::vector<std::string>({"A", "A\\A2", "B", "B\\B1", "C"}));
    EXPECT_EQ(box.GetActivity(), nullptr);
    Pick("C");
    EXPECT_EQ(box.GetActivity(), m_a["C"]);
}

TEST_F(CActivityComboBoxTest, StartingAndStoppingWorkRedrawsTheBox) {
    BuildSample();
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

// A 200 x 18 picture that one WM_DRAWITEM paints.
class CItemPicture {
public:
    CItemPicture() {
        m_dc = CreateCompatibleDC(nullptr);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<const DWORD*>(bits);
        m_old = SelectObject(m_dc, m_bitmap);
        RECT all = {0, 0, kWidth, kHeight};
        HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
        FillRect(m_dc, &all, magenta);
        DeleteObject(magenta);
    }
    ~CItemPicture() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    CItemPicture(const CItemPicture&) = delete;
    CItemPicture& operator=(const CItemPicture&) = delete;
    std::vector<DWORD> Pixels() const {
        GdiFlush();
        return std::vector<DWORD>(m_bits, m_bits + kWidth * kHeight);
    }
    HDC Dc() const { return m_dc; }
    static const int kWidth = 200;
    static const int kHeight = 18;

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    const DWORD* m_bits = nullptr;
};

// Sends the dialog the draw request of one item into a fresh picture; the picture's pixels.
std::vector<DWORD> DrawRequest(HWND dialog, HWND combo, int item, ULONG_PTR data, UINT state,
                               LRESULT* result = nullptr) {
    CItemPicture picture;
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_COMBOBOX;
    draw.CtlID = kCombo;
    draw.itemID = static_cast<UINT>(item);
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = state;
    draw.hwndItem = combo;
    draw.hDC = picture.Dc();
    draw.rcItem = {0, 0, CItemPicture::kWidth, CItemPicture::kHeight};
    draw.itemData = data;
    const LRESULT answer =
        SendMessageA(dialog, WM_DRAWITEM, kCombo, reinterpret_cast<LPARAM>(&draw));
    if (result != nullptr) {
        *result = answer;
    }
    return picture.Pixels();
}

// The item as it must look: the background, the image at the indent and the text after it.
std::vector<DWORD> Expected(int image, int indent, const std::string& text, bool selected) {
    CItemPicture picture;
    HDC dc = picture.Dc();
    const int back = selected ? COLOR_HIGHLIGHT : COLOR_WINDOW;
    RECT all = {0, 0, CItemPicture::kWidth, CItemPicture::kHeight};
    FillRect(dc, &all, GetSysColorBrush(back));
    ImageList_Draw(ActivityImageList().Get(), image, dc, indent, 0, ILD_TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(back));
    TextOutA(dc, indent + 16, 2, text.c_str(), static_cast<int>(text.size()));
    return picture.Pixels();
}

TEST_F(CActivityComboBoxTest, ItemsAreDrawnFromTheirOwnData) {
    BuildSample();
    Open(false, false);
    m_a["A1a"]->StartTallymark();
    const auto data = [&](const char* name) { return reinterpret_cast<ULONG_PTR>(m_a[name]); };
    const struct {
        const char* name;
        UINT state;
        int image;
        int indent;
        std::string text;
    } cases[] = {
        {"A1a", 0, 2, 32, "A1a"},
        {"A1a", ODS_COMBOBOXEDIT | ODS_SELECTED, 2, 0, "A\\A1\\A1a"},
        {"B", ODS_SELECTED, 0, 0, "B"},
        {"B1", 0, 1, 16, "B1"},
    };
    for (const auto& test : cases) {
        // The item index is deliberately wrong: only the data counts.
        EXPECT_EQ(DrawRequest(Dialog(), Combo(), 0, data(test.name), test.state),
                  Expected(test.image, test.indent, test.text, (test.state & ODS_SELECTED) != 0))
            << test.name << " " << test.state;
    }
}

TEST_F(CActivityComboBoxTest, StaleOrMissingItemsAreSkipped) {
    BuildSample();
    Open(false, false);
    const std::vector<DWORD> untouched = CItemPicture().Pixels();
    CActivity* removed = m_a["C"];
    delete removed;
    const struct {
        int item;
        ULONG_PTR data;
    } cases[] = {
        {99, 0x10},                                  // an index beyond the items, bad data
        {4, reinterpret_cast<ULONG_PTR>(removed)},   // an activity that left the tree
        {0, 0},                                      // no data
        {-1, reinterpret_cast<ULONG_PTR>(m_a["A"])}, // the empty selection field
    };
    for (const auto& test : cases) {
        LRESULT result = 0;
        EXPECT_EQ(DrawRequest(Dialog(), Combo(), test.item, test.data, 0, &result), untouched)
            << test.item;
        EXPECT_EQ(result, TRUE);
    }
}

} // namespace
