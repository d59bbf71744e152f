// The menu on a real window: the base of the main windows on a small template that
// carries the main menu, with the real application object (not run), its projects and
// its settings. Commands arrive as WM_COMMAND, as from the menu or a shortcut.

#include "mainwindow/CMenu.h"

#include "app/main/CAppMain.h"
#include "harness/CUiScript.h"
#include "library/dialogs/CDialogCommandEvent.h"
#include "library/dialogs/CDialogInitializeEvent.h"
#include "library/dialogs/CModalScope.h"
#include "library/system/CScratchFolder.h"
#include "mainwindow/CDialogLauncher.h"
#include "mainwindow/CMainDlgBase.h"
#include "mainwindow/MenuRules.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/EProjectFileFormat.h"
#include "resources/ResourceIds.h"

#include "MenuTestIds.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// Records the kind changes that the menu announces and the commands it leaves to the
// dialog.
class CMenuWindow : public CMainDlgBase,
                    public CSlot<CDialogInitializeEvent>,
                    public CSlot<CDialogCommandEvent>,
                    public CSlot<CMenuStatTypeChangedEvent> {
public:
    explicit CMenuWindow(EDisplayMode displayKind) : CMainDlgBase(displayKind) {
        CSlot<CDialogInitializeEvent>::Connect(this);
        CSlot<CDialogCommandEvent>::Connect(this);
        CSlot<CMenuStatTypeChangedEvent>::Connect(&GetMenu());
    }
    void StorePlacement() override {}
    void ShowStatistics() override {}

    std::vector<std::pair<int, int>> kindChanges;
    std::vector<int> dialogCommands;

protected:
    bool OnEvent(CDialogInitializeEvent& event) override {
        InitCommon(event);
        return true;
    }
    bool OnEvent(CDialogCommandEvent& event) override {
        dialogCommands.push_back(event.controlId);
        return true;
    }
    bool OnEvent(CMenuStatTypeChangedEvent& event) override {
        kindChanges.emplace_back(event.oldKind, event.newKind);
        return true;
    }
};

// Stands in for the dialog of one kind: notes that it opened and ends at once.
class CProbeDialog : public CDialogWindow, public CSlot<CDialogInitializeEvent> {
public:
    CProbeDialog(EDialogKind kind, std::vector<EDialogKind>& opened)
        : m_kind(kind), m_opened(opened) {
        CSlot<CDialogInitializeEvent>::Connect(this);
    }

protected:
    bool OnEvent(CDialogInitializeEvent&) override {
        m_opened.push_back(m_kind);
        Close();
        return true;
    }

private:
    EDialogKind m_kind;
    std::vector<EDialogKind>& m_opened;
};

struct SItem {
    std::string text;
    UINT id;
    bool greyed;
    bool checked;
};

// The commands that open a dialog, with its kind.
const std::pair<int, EDialogKind> kDialogCommands[] = {
    {IDM_PROJECT_IMPORT, EDialogKind::Import},
    {IDM_PROJECT_EXPORT, EDialogKind::Export},
    {IDM_PROJECT_REPORT, EDialogKind::Report},
    {IDM_PROJECT_PROPERTIES, EDialogKind::ProjectProperties},
    {IDM_PROJECT_STATISTICS, EDialogKind::ProjectStatistics},
    {IDM_TIME_NEW_TALLYMARK, EDialogKind::NewTallymark},
    {IDM_TIME_MANAGE_TALLYMARKS, EDialogKind::ManageTallymarks},
    {IDM_OPTIONS_SETTINGS, EDialogKind::Settings},
    {IDM_HELP_ABOUT, EDialogKind::About},
    {IDM_HELP_TIP, EDialogKind::TipOfTheDay},
    {IDM_ACTIVITIES_MANAGE, EDialogKind::ManageActivities},
};

const int kDay = 1;

class MenuWindowTest : public ::testing::Test {
protected:
    MenuWindowTest() {
        SAppOptions options;
        options.programFolder = m_folder.Path();
        options.mutexName.clear();
        m_app = std::make_unique<CAppMain>(options);
    }
    ~MenuWindowTest() override {
        Shut();
        CDialogLauncher::Clear();
        m_app.reset();
    }

    void Show(EDisplayMode displayKind = EDisplayMode::Full) {
        m_window = std::make_unique<CMenuWindow>(displayKind);
        SDialogParams params;
        params.dialogId = IDD_MENU_TEST;
        params.modal = false;
        m_app->SetDialogModules(params);
        ASSERT_EQ(m_window->Create(params), 0);
    }
    void Shut() {
        if (m_window && m_window->GetHwnd() != nullptr) {
            m_window->Close();
        }
        // A modeless window that ends posts a quit message for a loop of its own.
        MSG msg;
        PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        m_window.reset();
    }
    void RegisterProbes() {
        for (const auto& command : kDialogCommands) {
            const EDialogKind kind = command.second;
            SDialogKindEntry entry;
            entry.identity.dialogId = IDD_MENU_TEST_PROBE;
            entry.make = [this, kind](CMainDlgBase&) {
                return std::make_unique<CProbeDialog>(kind, m_opened);
            };
            CDialogLauncher::Register(kind, entry);
        }
    }

    HWND Hwnd() const { return m_window->GetHwnd(); }
    // Sends a command; a message box other than the one expected fails the test.
    void Command(int id, int boxAnswer = 0, const std::string& boxText = std::string()) {
        harness::CUiScript script(10000);
        if (boxAnswer != 0) {
            script.AnswerMessageBox(boxAnswer, boxText);
        }
        script.Run([&] { SendMessageA(Hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); });
    }

    // Sends WM_COMMAND as another program could; any message box fails the test.
    void Send(WPARAM wParam, LPARAM lParam) {
        harness::CUiScript script(3000);
        script.Run([&] { SendMessageA(Hwnd(), WM_COMMAND, wParam, lParam); });
    }
    // What the commands of the menu change, in words.
    std::string Effects() {
        CProject* current = Projects().GetCurrentProject();
        std::string effects = std::to_string(Projects().GetNumProjects()) + " open, current ";
        effects += current != nullptr ? current->GetState()->GetName() : "none";
        if (current != nullptr && current->GetState()->IsWorking()) {
            effects += " working";
        }
        effects += ", kind " + std::to_string(m_window->GetMenu().GetKind());
        if (m_app->GetSetView().GetTopMost()) {
            effects += ", on top";
        }
        return effects + ", " + std::to_string(m_opened.size()) + " dialogs, " +
               std::to_string(m_window->dialogCommands.size()) + " to the window";
    }

    HMENU Bar() const { return ::GetMenu(Hwnd()); }
    HMENU RecentMenu() const { return GetSubMenu(GetSubMenu(Bar(), 0), 2); }
    HMENU WindowMenu() const { return GetSubMenu(Bar(), 5); }
    bool Greyed(int id) const { return (GetMenuState(Bar(), id, MF_BYCOMMAND) & MF_GRAYED) != 0; }
    bool Checked(int id) const { return (GetMenuState(Bar(), id, MF_BYCOMMAND) & MF_CHECKED) != 0; }
    std::set<int> GreyedOf(const std::set<int>& ids) const {
        std::set<int> greyed;
        for (int id : ids) {
            EXPECT_NE(GetMenuState(Bar(), id, MF_BYCOMMAND), static_cast<UINT>(-1)) << id;
            if (Greyed(id)) {
                greyed.insert(id);
            }
        }
        return greyed;
    }
    static std::vector<SItem> Items(HMENU menu, int first) {
        std::vector<SItem> items;
        for (int i = first; i < GetMenuItemCount(menu); ++i) {
            char text[512] = {};
            GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
            const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
            items.push_back({text, GetMenuItemID(menu, i), (state & MF_GRAYED) != 0,
                             (state & MF_CHECKED) != 0});
        }
        return items;
    }

    CProjects& Projects() { return m_app->GetProjects(); }
    CSetRecentProjects& Recent() { return m_app->GetSetRecentProjects(); }
    CProject* MakeCurrent(const std::string& name) {
        CProject* project = Projects().CreateNew();
        project->GetState()->SetName(name);
        Projects().SetCurrent(project);
        return project;
    }
    std::string SavedFile(const std::string& file, const std::string& name) {
        CProject project;
        project.GetState()->SetName(name);
        const std::string path = m_folder.File(file);
        EXPECT_TRUE(project.Save(false, nullptr, path.c_str(), pffXML));
        return CFilePath(path).GetPath();
    }

    CScratchFolder m_folder;
    std::unique_ptr<CAppMain> m_app;
    std::unique_ptr<CMenuWindow> m_window;
    std::vector<EDialogKind> m_opened;
};

const std::set<int> kProjectCommands = {
    IDM_PROJECT_SAVE,      IDM_PROJECT_SAVE_AS,    IDM_PROJECT_CLOSE,
    IDM_PROJECT_IMPORT,    IDM_PROJECT_EXPORT,     IDM_PROJECT_PROPERTIES,
    IDM_PROJECT_REPORT,    IDM_PROJECT_STATISTICS, IDM_TIME_START,
    IDM_TIME_STOP,         IDM_TIME_NEW_TALLYMARK, IDM_TIME_MANAGE_TALLYMARKS,
    IDM_ACTIVITIES_MANAGE, IDM_WINDOW_NEXT,        IDM_WINDOW_PREVIOUS};

} // namespace

TEST_F(MenuWindowTest, WithoutProjectsTheirCommandsAreGreyedAndDoNothing) {
    Show();
    std::set<int> expected = kProjectCommands;
    // No dialog is registered: the commands that open one are greyed too.
    expected.insert(
        {IDM_VIEW_DAY, IDM_VIEW_FULL, IDM_OPTIONS_SETTINGS, IDM_HELP_ABOUT, IDM_HELP_TIP});
    std::set<int> all(GetMenuCommandIds().begin(), GetMenuCommandIds().end());
    EXPECT_EQ(GreyedOf(all), expected);
    EXPECT_TRUE(Checked(IDM_VIEW_DAY) && Checked(IDM_VIEW_FULL) && !Checked(IDM_VIEW_COMPACT));
    const std::vector<SItem> windows = Items(WindowMenu(), 3);
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].text, "No projects open");
    EXPECT_TRUE(windows[0].greyed);
    const std::vector<SItem> recent = Items(RecentMenu(), 0);
    ASSERT_EQ(recent.size(), 1u);
    EXPECT_EQ(recent[0].text, "No recent projects");
    EXPECT_TRUE(recent[0].greyed);

    for (int id :
         {IDM_PROJECT_SAVE, IDM_PROJECT_SAVE_AS, IDM_PROJECT_CLOSE, IDM_TIME_STOP, IDM_WINDOW_NEXT,
          IDM_VIEW_DAY, IDM_VIEW_FULL, IDM_HELP_ABOUT, IDM_WINDOW_FIRST, IDM_RECENT_FIRST}) {
        Command(id);
    }
    EXPECT_TRUE(IsWindow(Hwnd()));
    EXPECT_EQ(Projects().GetNumProjects(), 0u);
    EXPECT_TRUE(m_window->kindChanges.empty());
    // The menu keeps its own commands from the dialog, greyed or not; other ids pass.
    for (int id : {1032, IDM_PLACEHOLDER, IDC_MAIN_START}) {
        Command(id);
    }
    EXPECT_EQ(m_window->dialogCommands, (std::vector<int>{1032, IDM_PLACEHOLDER, IDC_MAIN_START}));

    Command(IDM_PROJECT_NEW);
    ASSERT_NE(Projects().GetCurrentProject(), nullptr);
    EXPECT_EQ(Items(WindowMenu(), 3).size(), 1u);
    EXPECT_TRUE(Items(WindowMenu(), 3)[0].checked);
    EXPECT_FALSE(Greyed(IDM_PROJECT_SAVE_AS) || Greyed(IDM_PROJECT_CLOSE));
}

TEST_F(MenuWindowTest, DialogAndTimeCommandsFollowTheCurrentProjectsActivities) {
    RegisterProbes();
    Show();
    CProject* project = MakeCurrent("Alpha");
    EXPECT_EQ(GreyedOf(kProjectCommands),
              (std::set<int>{IDM_PROJECT_REPORT, IDM_TIME_START, IDM_TIME_STOP,
                             IDM_TIME_NEW_TALLYMARK, IDM_WINDOW_NEXT, IDM_WINDOW_PREVIOUS}));
    Command(IDM_PROJECT_REPORT);
    Command(IDM_TIME_NEW_TALLYMARK);
    EXPECT_TRUE(m_opened.empty());

    CProjectState* state = project->GetState();
    CActivity* activity = new CActivity(state, "Write", true);
    state->GetRootActivity()->AddChildActivity(activity, -1);
    state->SetSelectedActivity(activity);
    EXPECT_EQ(GreyedOf(kProjectCommands),
              (std::set<int>{IDM_TIME_STOP, IDM_WINDOW_NEXT, IDM_WINDOW_PREVIOUS}));
    // Each command opens the dialog of its own kind.
    for (const auto& dialog : kDialogCommands) {
        m_opened.clear();
        Command(dialog.first);
        EXPECT_EQ(m_opened, std::vector<EDialogKind>{dialog.second}) << dialog.first;
    }

    Command(IDM_TIME_START);
    EXPECT_TRUE(state->IsWorking());
    EXPECT_FALSE(Greyed(IDM_TIME_STOP));
    EXPECT_EQ(Items(WindowMenu(), 3)[0].text, "&1 - Alpha *\t(working)");
    Command(IDM_TIME_STOP);
    EXPECT_FALSE(state->IsWorking());
    EXPECT_TRUE(Greyed(IDM_TIME_STOP));
    activity->SetEnabled(false);
    EXPECT_TRUE(Greyed(IDM_TIME_START));
    Command(IDM_TIME_START);
    EXPECT_FALSE(state->IsWorking());
}

TEST_F(MenuWindowTest, KindCommandsStoreAndAnnounceTheKindAndCannotRepeatIt) {
    Show();
    int previous = kDay;
    size_t changes = 0;
    for (int kind : {2, 0, 5, 3, 4, 1}) {
        Command(IDM_VIEW_HOUR + kind);
        Command(IDM_VIEW_HOUR + kind);
        ASSERT_EQ(m_window->kindChanges.size(), ++changes);
        EXPECT_EQ(m_window->kindChanges.back(), std::make_pair(previous, kind));
        EXPECT_EQ(m_app->GetSetView().GetType(), static_cast<uint32_t>(kind));
        for (int other = 0; other < 6; ++other) {
            EXPECT_EQ(Checked(IDM_VIEW_HOUR + other), other == kind) << kind << other;
            EXPECT_EQ(Greyed(IDM_VIEW_HOUR + other), other == kind) << kind << other;
        }
        previous = kind;
    }
}

TEST_F(MenuWindowTest, RecentEntriesHaveKeysAndChecksAndOpenTheirFiles) {
    const std::string kept = SavedFile("Kept.xml", "Kept");
    const std::string gone = m_folder.File("Gone.xml");
    Recent().SetMaxSize(10);
    Recent().AddEntry({"Gone", CFilePath(gone)});
    Recent().AddEntry({"Kept", CFilePath(kept)});
    for (int i = 8; i >= 1; --i) {
        Recent().AddEntry({"R" + std::to_string(i), CFilePath(m_folder.File(std::to_string(i)))});
    }
    Show();
    std::vector<SItem> items = Items(RecentMenu(), 0);
    ASSERT_EQ(items.size(), 10u);
    EXPECT_EQ(items[0].text, "&1 - R1 (" + m_folder.File("1") + ")");
    EXPECT_EQ(items[8].text, "&9 - Kept (" + kept + ")");
    EXPECT_EQ(items[9].text, "&a - Gone (" + gone + ")");
    EXPECT_EQ(items[9].id, static_cast<UINT>(IDM_RECENT_FIRST + 9));
    EXPECT_FALSE(items[8].checked);

    Command(IDM_RECENT_FIRST + 10);
    EXPECT_EQ(Projects().GetNumProjects(), 0u);
    Command(IDM_RECENT_FIRST + 8);
    ASSERT_NE(Projects().GetCurrentProject(), nullptr);
    EXPECT_EQ(Projects().GetCurrentProject()->GetState()->GetName(), "Kept");
    items = Items(RecentMenu(), 0);
    EXPECT_EQ(items[0].text, "&1 - Kept (" + kept + ")");
    EXPECT_TRUE(items[0].checked);
    // The file that cannot be opened any more leaves the list.
    Command(IDM_RECENT_FIRST + 9, IDOK, "Gone.xml");
    EXPECT_EQ(Recent().GetSize(), 9u);
    EXPECT_EQ(Items(RecentMenu(), 0).size(), 9u);
}

// A failed open takes the file out of the recent list unless the file is in use (code 3),
// which may open later; the message gives the reason of the load.
TEST_F(MenuWindowTest, OnlyAFileInUseStaysInTheRecentList) {
    const struct {
        const char* name;
        bool locked;
        const char* content; // of a file that is not locked
        const char* reason;  // a part of the message
        bool stays;
    } cases[] = {
        {"Locked.xml", true, nullptr, "couldn't read from project file;\n32 - ", true},
        {"Damaged.xml", false, "<?xml version=\"1.0\"?><TallymarksProject version=\"1\"><Na",
         "corrupt", false},
        {"Letter.xml", false, "Dear reader,", "Letter.xml", false},
    };
    Show();
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        const std::string path =
            test.locked ? SavedFile(test.name, "Locked") : m_folder.File(test.name);
        if (!test.locked) {
            m_folder.Write(test.name, test.content);
        }
        HANDLE lock = test.locked ? CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr,
                                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
                                  : INVALID_HANDLE_VALUE;
        const size_t before = Recent().GetSize();
        Recent().AddEntry({test.name, CFilePath(path)});
        Command(IDM_RECENT_FIRST, IDOK, test.reason);
        if (lock != INVALID_HANDLE_VALUE) {
            CloseHandle(lock);
        }
        EXPECT_EQ(Projects().GetNumProjects(), 0u);
        EXPECT_EQ(Recent().GetSize(), before + (test.stays ? 1 : 0));
        const bool listed =
            Recent().GetSize() > 0 && Recent().GetEntry(0).filePath == CFilePath(path);
        EXPECT_EQ(listed, test.stays);
    }
}

TEST_F(MenuWindowTest, OpenProjectsHaveKeysToZThenBlankAndEntriesChooseTheCurrentOne) {
    Show();
    for (int i = 0; i < 37; ++i) {
        Projects().CreateNew()->GetState()->SetName((i < 10 ? "P0" : "P") + std::to_string(i));
    }
    Projects().SetCurrent(Projects().GetProject(0));
    std::vector<SItem> items = Items(WindowMenu(), 3);
    ASSERT_EQ(items.size(), 37u);
    const std::pair<size_t, const char*> labels[] = {{0, "&1 - P00 *"},  {8, "&9 - P08 *"},
                                                     {9, "&a - P09 *"},  {34, "&z - P34 *"},
                                                     {35, "&  - P35 *"}, {36, "&  - P36 *"}};
    for (const auto& label : labels) {
        EXPECT_EQ(items[label.first].text, label.second);
    }
    EXPECT_TRUE(items[0].checked && !items[5].checked);

    Command(IDM_WINDOW_FIRST + 5);
    EXPECT_EQ(Projects().GetCurrentProject(), Projects().GetProject(5));
    items = Items(WindowMenu(), 3);
    EXPECT_TRUE(items[5].checked && !items[0].checked);
    Command(IDM_WINDOW_FIRST + 37);
    Command(IDM_WINDOW_NEXT);
    EXPECT_EQ(Projects().GetCurrentProject(), Projects().GetProject(6));
    // A renamed project moves, and its entry still chooses it.
    CProject* renamed = Projects().GetProject(36);
    renamed->GetState()->SetName("A");
    EXPECT_EQ(Items(WindowMenu(), 3)[0].text, "&1 - A *");
    Command(IDM_WINDOW_FIRST);
    EXPECT_EQ(Projects().GetCurrentProject(), renamed);
}

TEST_F(MenuWindowTest, EverySaveRefreshesTheSaveItemAndOnlyANewFileJoinsTheRecentList) {
    Show();
    CProject* project = MakeCurrent("Plan");
    EXPECT_FALSE(Greyed(IDM_PROJECT_SAVE));
    const std::string path = m_folder.File("Plan.xml");
    ASSERT_TRUE(project->Save(false, nullptr, path.c_str(), pffXML));
    EXPECT_TRUE(Greyed(IDM_PROJECT_SAVE));
    EXPECT_EQ(Items(WindowMenu(), 3)[0].text, "&1 - Plan");
    ASSERT_EQ(Recent().GetSize(), 1u);
    EXPECT_TRUE(Items(RecentMenu(), 0)[0].checked);

    project->GetState()->SetName("Plan B");
    EXPECT_FALSE(Greyed(IDM_PROJECT_SAVE));
    EXPECT_EQ(Items(WindowMenu(), 3)[0].text, "&1 - Plan B *");
    Command(IDM_PROJECT_SAVE);
    EXPECT_TRUE(Greyed(IDM_PROJECT_SAVE));
    EXPECT_EQ(Items(WindowMenu(), 3)[0].text, "&1 - Plan B");
    EXPECT_EQ(Recent().GetEntry(0).name, "Plan"); // the entry was not added again

    project->GetState()->SetName("Plan C");
    harness::CUiScript script(10000);
    script.AnswerMessageBox(IDOK);
    const std::string nowhere = m_folder.File("missing\\Plan.xml");
    script.Run([&] { EXPECT_FALSE(project->Save(false, nullptr, nowhere.c_str(), pffXML)); });
    EXPECT_EQ(Recent().GetSize(), 1u);
    EXPECT_FALSE(Greyed(IDM_PROJECT_SAVE));
}

TEST_F(MenuWindowTest, AProjectAnnouncedTwiceIsHeardOnceUntilItCloses) {
    const std::string path = SavedFile("Twice.xml", "Twice");
    Show();
    Projects().Open(CFilePath(path), CProjects::kOpenOnly, true);
    Projects().Open(CFilePath(path), CProjects::kOpenAndSwitch, true);
    CMenu& menu = m_window->GetMenu();
    EXPECT_EQ(static_cast<CSlot<CProjectModifiedEvent>&>(menu).GetNumPeers(), 1u);
    EXPECT_EQ(static_cast<CSlot<CProjectSavedEvent>&>(menu).GetNumPeers(), 1u);
    Command(IDM_PROJECT_CLOSE);
    EXPECT_EQ(Projects().GetNumProjects(), 0u);
    EXPECT_EQ(static_cast<CSlot<CProjectModifiedEvent>&>(menu).GetNumPeers(), 0u);
    EXPECT_EQ(Items(WindowMenu(), 3)[0].text, "No projects open");
    EXPECT_FALSE(Items(RecentMenu(), 0)[0].checked);
}

TEST_F(MenuWindowTest, DisplayItemsFollowTheDisplayAndAlwaysOnTopTheSetting) {
    for (EDisplayMode display : {EDisplayMode::Full, EDisplayMode::Compact}) {
        Show(display);
        const int running = display == EDisplayMode::Full ? IDM_VIEW_FULL : IDM_VIEW_COMPACT;
        const int other = display == EDisplayMode::Full ? IDM_VIEW_COMPACT : IDM_VIEW_FULL;
        EXPECT_TRUE(Checked(running) && Greyed(running));
        EXPECT_FALSE(Checked(other) || Greyed(other));
        for (bool topMost : {true, false}) {
            Command(IDM_VIEW_TOPMOST);
            EXPECT_EQ(m_app->GetSetView().GetTopMost(), topMost);
            EXPECT_EQ(Checked(IDM_VIEW_TOPMOST), topMost);
        }
        Shut();
    }
}

TEST_F(MenuWindowTest, APortableInstallationCannotBeMadeAgain) {
    EXPECT_TRUE(m_folder.Write("InstallSettings.ini", "[Settings]\r\nPortableInstall=y\r\n"));
    m_app->OpenSettingsFiles();
    Show();
    EXPECT_TRUE(Greyed(IDM_OPTIONS_PORTABLE));
    Command(IDM_OPTIONS_PORTABLE); // would report that the creator is missing
}

// A project that the import and export dialog opens for its own use is not the user's: it
// never joins the open-projects list, also when the list is rebuilt while it is open, and
// nothing is left of it after it closes.
TEST_F(MenuWindowTest, AProjectOpenedForAnExchangeIsNeverListed) {
    const std::string path = SavedFile("Other.xml", "Other");
    Show();
    CProject* home = MakeCurrent("Home");
    CProject* other = Projects().Open(CFilePath(path), CProjects::kOpenForExchange, true);
    ASSERT_NE(other, nullptr);
    home->GetState()->SetName("Home B");
    const auto texts = [this] {
        std::vector<std::string> texts;
        for (const SItem& item : Items(WindowMenu(), 3)) {
            texts.push_back(item.text);
        }
        return texts;
    };
    EXPECT_EQ(texts(), std::vector<std::string>({"&1 - Home B *"}));
    Command(IDM_WINDOW_FIRST + 1);
    EXPECT_EQ(Projects().GetCurrentProject(), home);
    ASSERT_TRUE(Projects().Close(other, true));
    home->GetState()->SetName("Home");
    EXPECT_EQ(texts(), std::vector<std::string>({"&1 - Home *"}));
}

// While a modal moment runs no command of the menu is carried out, whatever notification
// code it carries and whichever window it names as its sender; only what the window's own
// controls tell about themselves reaches the window.
TEST_F(MenuWindowTest, DuringAModalMomentNoCommandRunsWhateverItsCodeOrSender) {
    const std::string kept = SavedFile("Kept.xml", "Kept");
    Recent().AddEntry({"Kept", CFilePath(kept)});
    RegisterProbes();
    Show();
    MakeCurrent("Beta");
    CProject* project = MakeCurrent("Alpha");
    CProjectState* state = project->GetState();
    CActivity* activity = new CActivity(state, "Write", true);
    state->GetRootActivity()->AddChildActivity(activity, -1);
    state->SetSelectedActivity(activity);
    // A window of another program's kind, and a child of it that claims a command's id.
    HWND foreign = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr,
                                   nullptr, nullptr);
    HWND foreignChild = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, foreign, nullptr,
                                        nullptr, nullptr);
    HWND own = GetDlgItem(Hwnd(), IDC_MENU_TEST_BUTTON);
    ASSERT_TRUE(foreign != nullptr && foreignChild != nullptr && own != nullptr);
    enum class ESender { Nobody, ForeignWindow, ForeignChild, OwnControlOtherId };
    const struct {
        WORD code;
        ESender sender;
    } senders[] = {
        {0, ESender::Nobody},
        {1, ESender::Nobody},
        {2, ESender::Nobody},
        {0xFFFF, ESender::Nobody},
        {0, ESender::ForeignWindow},
        {1, ESender::ForeignWindow},
        {BN_CLICKED, ESender::ForeignChild},
        {CBN_SELCHANGE, ESender::ForeignChild},
        {BN_CLICKED, ESender::OwnControlOtherId},
        {BN_KILLFOCUS, ESender::OwnControlOtherId},
    };
    const int commands[] = {IDM_PROJECT_NEW,       IDM_PROJECT_CLOSE,    IDM_PROJECT_SAVE_AS,
                            IDM_RECENT_FIRST,      IDM_WINDOW_FIRST + 1, IDM_WINDOW_NEXT,
                            IDM_TIME_START,        IDM_VIEW_HOUR,        IDM_VIEW_TOPMOST,
                            IDM_PROJECT_STATISTICS};
    const std::string before = Effects();
    {
        CModalScope moment;
        for (int id : commands) {
            for (const auto& sender : senders) {
                HWND from = nullptr;
                switch (sender.sender) {
                case ESender::Nobody:
                    break;
                case ESender::ForeignWindow:
                    from = foreign;
                    break;
                case ESender::ForeignChild:
                    SetWindowLongPtrA(foreignChild, GWLP_ID, id);
                    from = foreignChild;
                    break;
                case ESender::OwnControlOtherId:
                    from = own;
                    break;
                }
                Send(MAKEWPARAM(id, sender.code), reinterpret_cast<LPARAM>(from));
                EXPECT_EQ(Effects(), before) << id << " code " << sender.code << " sender "
                                             << static_cast<int>(sender.sender);
            }
        }
        // The window's own button still tells the window about itself.
        for (WORD code : {BN_CLICKED, BN_KILLFOCUS}) {
            Send(MAKEWPARAM(IDC_MENU_TEST_BUTTON, code), reinterpret_cast<LPARAM>(own));
        }
        EXPECT_EQ(m_window->dialogCommands,
                  (std::vector<int>{IDC_MENU_TEST_BUTTON, IDC_MENU_TEST_BUTTON}));
    }
    DestroyWindow(foreign);
    // After the moment a command runs again, whatever its code.
    Send(MAKEWPARAM(IDM_VIEW_HOUR, 2), 0);
    EXPECT_EQ(m_window->GetMenu().GetKind(), 0);
}
