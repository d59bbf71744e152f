// The import and export dialog between two fixture projects in both file formats: the
// preview, OK with and without saving the other project, Cancel after previews leaving both
// files byte for byte as they were, refused projects, a project chosen among the open ones,
// and projects closed under the dialog.

#include "ExchangeFixture.h"

#include "model/CClockNotices.h"
#include "model/CTickClock.h"
#include "model/ProjectFileLimits.h"

using harness::CUiScript;
using namespace exchangetest;

namespace {

class ExchangeTest : public CExchangeFixture {};

const int kFormats[] = {pffBinary, pffXML};

// Import of 13 March, copied and moved, confirmed with OK: Home receives the clipped tally
// marks under Work's activity paths; Copy leaves Work's file alone without a question,
// Move asks and saves Work with the moved part cut out. Work is closed again either way.
TEST_F(ExchangeTest, ImportCopiesOrMovesTheDayAndSavesOnlyAMovedSource) {
    for (int format : kFormats) {
        for (bool move : {false, true}) {
            WriteProjects(format);
            CProject* home = OpenHome();
            ASSERT_NE(home, nullptr);
            auto owned = std::make_unique<CDataExchangeDlg>(home, CDataExchangeDlg::kImport);
            CDataExchangeDlg& dialog = *owned;
            CUiScript script;
            std::vector<std::string> rows;
            script.Do([&] {
                HWND window = dialog.GetHwnd();
                ASSERT_TRUE(dialog.OpenOtherProject(m_workPath, 0));
                harness::Click(window, move ? IDC_EXCHANGE_MOVE : IDC_EXCHANGE_COPY);
                ChooseDay(dialog);
                for (int row = 0; row < harness::GetListRowCount(window, IDC_EXCHANGE_RESULT);
                     ++row) {
                    std::string text;
                    for (int column = 0; column < 3; ++column) {
                        text +=
                            harness::GetListCell(window, IDC_EXCHANGE_RESULT, row, column) + "|";
                    }
                    rows.push_back(text);
                }
                harness::Click(window, IDC_EXCHANGE_OK);
            });
            if (move) {
                script.AnswerMessageBox(IDOK, "The project Work has been modified by the import");
            }
            Run(script, dialog, CDataExchangeDlg::kImport);
            owned.reset();
            const std::string label = std::to_string(format) + (move ? " move" : " copy");
            EXPECT_EQ(rows, std::vector<std::string>({"Dev||added|", "Code|added|added|"}))
                << label;
            EXPECT_EQ(Records(home->GetState()),
                      std::vector<std::string>({"Dev 10 12", "Dev 9 10", "Dev\\Code 0 2"}))
                << label;
            // A move saves Home (to its own file) before it cuts the marks out of Work's.
            EXPECT_EQ(home->IsModified(ppTallymarks), !move) << label;
            EXPECT_EQ(home->GetStateCount(), 1u);
            EXPECT_FALSE(Projects().IsPathOpen(m_workPath)) << label;
            EXPECT_EQ(m_app->GetSetImportDlg().GetRemoveTraces(), move);
            if (!move) {
                EXPECT_TRUE(script.GetMessageBoxes().empty()) << label;
                EXPECT_EQ(ReadFile(m_workPath), m_workBytes) << label;
            } else {
                EXPECT_NE(ReadFile(m_homePath), m_homeBytes) << label;
                CProject* work = Projects().OpenPath(m_workPath, CProjects::kOpenOnly, true);
                ASSERT_NE(work, nullptr);
                EXPECT_EQ(Records(work->GetState()),
                          std::vector<std::string>({"Dev\\Code -2 0", "Meet 32 33"}))
                    << label;
                Projects().Close(work, true);
            }
            Projects().CloseAll();
        }
    }
}

// Any number of previews followed by Cancel leaves both projects exactly as they were, and
// closes the project the dialog opened without a question, also one with running work.
TEST_F(ExchangeTest, CancelAfterPreviewsLeavesBothFilesAsTheyWere) {
    for (int format : kFormats) {
        for (unsigned direction : {CDataExchangeDlg::kImport, CDataExchangeDlg::kExport}) {
            WriteProjects(format, direction == CDataExchangeDlg::kImport);
            CProject* home = OpenHome();
            ASSERT_NE(home, nullptr);
            auto owned = std::make_unique<CDataExchangeDlg>(home, direction);
            CDataExchangeDlg& dialog = *owned;
            CUiScript script;
            script.Do([&] {
                HWND window = dialog.GetHwnd();
                ASSERT_TRUE(dialog.OpenOtherProject(m_workPath, format));
                ChooseDay(dialog);
                harness::Click(window, IDC_EXCHANGE_COPY);
                harness::Click(window, IDC_EXCHANGE_MOVE);
                dialog.SetPeriod(CDateTime(kDay - 1), CDateTime(kDay + 2));
                EXPECT_NE(dialog.GetPreviewState(), nullptr);
                harness::Click(window, IDCANCEL);
            });
            Run(script, dialog, direction);
            owned.reset();
            EXPECT_TRUE(script.GetMessageBoxes().empty());
            EXPECT_FALSE(Projects().IsPathOpen(m_workPath));
            EXPECT_EQ(ReadFile(m_workPath), m_workBytes);
            EXPECT_EQ(home->GetStateCount(), 1u);
            EXPECT_EQ(home->GetModified().HasAny(ppName | ppActivities | ppTallymarks), false);
            const std::string again = PathOf(format == pffXML ? "Again.xml" : "Again.wkp");
            ASSERT_TRUE(home->Save(false, nullptr, again.c_str(), format));
            Projects().CloseAll();
            EXPECT_EQ(ReadFile(again), m_homeBytes) << format << " " << direction;
        }
    }
}

// Work on Home's Dev for an hour, the clock set forward an hour meanwhile: an export that
// moves everything up to the present, previewed twice, tells of the clock once at OK, and
// nothing after Cancel, which leaves Dev running.
TEST_F(ExchangeTest, AMovePreviewedOverRunningWorkTellsOfTheClockOnlyAtOk) {
    static std::uint64_t ticks = 1000;
    CTickClock::Set([] { return ticks; });
    for (int button : {IDCANCEL, IDC_EXCHANGE_OK}) {
        WriteProjects(pffBinary);
        CProject* home = OpenHome();
        Now() = kNow - 2 * kHour;
        ASSERT_TRUE(
            Projects().StartWorking(home, home->GetState()->GetRootActivity()->GetFirstChild()));
        Now() = kNow;
        ticks += 3600 * 1000;
        CClockNotices::Get().TakePending();
        auto owned = std::make_unique<CDataExchangeDlg>(home, CDataExchangeDlg::kExport);
        CUiScript script;
        script.Do([&] {
            ASSERT_TRUE(owned->OpenOtherProject(m_workPath, pffBinary));
            harness::Click(owned->GetHwnd(), IDC_EXCHANGE_MOVE);
            owned->SetPeriod(CDateTime(kDay - 1), CDateTime(kNow + 1));
            harness::Click(owned->GetHwnd(), IDC_EXCHANGE_COPY);
            harness::Click(owned->GetHwnd(), IDC_EXCHANGE_MOVE);
            harness::Click(owned->GetHwnd(), button);
        });
        if (button == IDC_EXCHANGE_OK) {
            script.AnswerMessageBox(IDOK, "The project Work has been modified by the export");
        }
        Run(script, *owned, CDataExchangeDlg::kExport);
        owned.reset();
        EXPECT_EQ(CClockNotices::Get().TakePending().size(), button == IDC_EXCHANGE_OK ? 1u : 0u);
        EXPECT_EQ(home->GetState()->IsWorking(), button == IDCANCEL);
        Projects().CloseAll();
    }
    CTickClock::Set(nullptr);
}

// Export to a file that does not exist yet: the new project is named after the current
// one; OK saves it where the user chose, in the chosen format. Move takes the day out of
// Home.
TEST_F(ExchangeTest, ExportToANewFileCreatesItOnOk) {
    for (int format : kFormats) {
        WriteProjects(format);
        const std::string target = PathOf(format == pffXML ? "New.xml" : "New.wkp");
        CProject* home = OpenHome();
        auto owned = std::make_unique<CDataExchangeDlg>(home, CDataExchangeDlg::kExport);
        CDataExchangeDlg& dialog = *owned;
        CUiScript script;
        std::string shownName;
        script
            .Do([&] {
                ChooseDay(dialog);
                ASSERT_TRUE(dialog.OpenOtherProject(target, format));
                shownName = harness::GetItemText(dialog.GetHwnd(), IDC_EXCHANGE_OTHER_NAME);
                harness::Click(dialog.GetHwnd(), IDC_EXCHANGE_OK);
            })
            .AnswerMessageBox(IDOK, "The project Home export has been modified by the export");
        Run(script, dialog, CDataExchangeDlg::kExport);
        owned.reset();
        EXPECT_EQ(shownName, "Home export");
        EXPECT_TRUE(Records(home->GetState()).empty());
        EXPECT_FALSE(Projects().IsPathOpen(target));
        CProject* created = Projects().OpenPath(target, CProjects::kOpenOnly, true);
        ASSERT_NE(created, nullptr) << format;
        EXPECT_EQ(created->GetState()->GetName(), "Home export");
        EXPECT_EQ(created->GetFormat(), format);
        EXPECT_EQ(Records(created->GetState()), std::vector<std::string>({"Dev 9 10"}));
        Projects().CloseAll();
    }
}

// A save that fails keeps the export dialog open with the error shown; Cancel then leaves
// the current project as it was.
TEST_F(ExchangeTest, AFailedExportSaveKeepsTheDialogOpen) {
    WriteProjects(pffBinary);
    CProject* home = OpenHome();
    auto owned = std::make_unique<CDataExchangeDlg>(home, CDataExchangeDlg::kExport);
    CDataExchangeDlg& dialog = *owned;
    CUiScript script;
    bool open = false;
    script
        .Do([&] {
            ChooseDay(dialog);
            ASSERT_TRUE(dialog.OpenOtherProject(PathOf("missing\\New.wkp"), pffBinary));
            harness::Click(dialog.GetHwnd(), IDC_EXCHANGE_OK);
        })
        .AnswerMessageBox(IDOK, "modified by the export")
        .AnswerMessageBox(IDOK, "There was an error saving the exported project")
        .Do([&] {
            open = IsWindow(dialog.GetHwnd()) != FALSE;
            harness::Click(dialog.GetHwnd(), IDCANCEL);
        });
    Run(script, dialog, CDataExchangeDlg::kExport);
    owned.reset();
    EXPECT_TRUE(open);
    ASSERT_EQ(script.GetMessageBoxes().size(), 2u);
    EXPECT_EQ(script.GetMessageBoxes()[1].caption, "Tallymarks - Error saving project exported to");
    EXPECT_EQ(Records(home->GetState()), std::vector<std::string>({"Dev 9 10"}));
    EXPECT_EQ(Projects().GetNumProjects(), 1u);
}

// Refused other projects: the current project itself, and a working project while the
// current one works; a project opened only for the attempt is closed again.
TEST_F(ExchangeTest, ItselfAndTwoWorkingProjectsAreRefused) {
    WriteProjects(pffBinary, true);
    CProject* home = OpenHome();
    ASSERT_TRUE(
        Projects().StartWorking(home, home->GetState()->GetRootActivity()->GetFirstChild()));
    auto owned = std::make_unique<CDataExchangeDlg>(home, CDataExchangeDlg::kImport);
    CDataExchangeDlg& dialog = *owned;
    CUiScript script;
    bool itself = true, working = true;
    script
        .Do([&] {
            itself = dialog.OpenOtherProject(m_homePath, 0);
            working = dialog.OpenOtherProject(m_workPath, 0);
            harness::Click(dialog.GetHwnd(), IDCANCEL);
        })
        .AnswerMessageBox(IDOK, "You cannot import the current project into itself.")
        .AnswerMessageBox(IDOK, "You have to stop the time registration");
    Run(script, dialog, CDataExchangeDlg::kImport);
    owned.reset();
    EXPECT_FALSE(itself);
    EXPECT_FALSE(working);
    EXPECT_TRUE(Projects().Contains(home));
    EXPECT_FALSE(Projects().IsPathOpen(m_workPath));
    ASSERT_EQ(script.GetMessageBoxes().size(), 2u);
    EXPECT_EQ(script.GetMessageBoxes()[1].caption, "Tallymarks - Could not import");
}

// Before an other project is taken nothing can be chosen in the import direction and OK
// waits; the export direction counts the current project's activities at once.
TEST_F(ExchangeTest, NothingToConfirmBeforeAProjectAndAPeriodAreChosen) {
    WriteProjects(pffXML);
    CProject* home = OpenHome();
    for (unsigned direction : {CDataExchangeDlg::kImport, CDataExchangeDlg::kExport}) {
        auto owned = std::make_unique<CDataExchangeDlg>(home, direction);
        CDataExchangeDlg& dialog = *owned;
        CUiScript script;
        std::vector<std::string> seen;
        script.Do([&] {
            HWND window = dialog.GetHwnd();
            auto note = [&] {
                seen.push_back(harness::GetItemText(window, IDC_EXCHANGE_ACTIVITIES) + "|" +
                               harness::GetItemText(window, IDC_EXCHANGE_PERIOD) + "|" +
                               std::to_string(harness::IsItemEnabled(window, IDC_EXCHANGE_MOVE)) +
                               std::to_string(harness::IsItemEnabled(window, IDC_EXCHANGE_OK)));
            };
            note();
            dialog.OpenOtherProject(m_workPath, 0);
            note();
            harness::Click(window, IDCANCEL);
        });
        Run(script, dialog, direction);
        owned.reset();
        if (direction == CDataExchangeDlg::kImport) {
            EXPECT_EQ(seen, std::vector<std::string>(
                                {"No choice made|No choice made|00", "4 of 4|No choice made|10"}));
        } else {
            EXPECT_EQ(seen, std::vector<std::string>(
                                {"1 of 1|No choice made|10", "1 of 1|No choice made|10"}));
        }
    }
}

// Work open as a user project and chosen with the Choose button: OK commits the moved
// day into both projects' open states and saves neither.
TEST_F(ExchangeTest, AnOpenProjectIsChosenAndNeverSaved) {
    WriteProjects(pffBinary);
    CProject* home = OpenHome();
    CProject* work = Projects().OpenPath(m_workPath, CProjects::kOpenOnly, true);
    ASSERT_NE(work, nullptr);
    auto owned = std::make_unique<CDataExchangeDlg>(home, CDataExchangeDlg::kImport);
    CDataExchangeDlg& dialog = *owned;
    CUiScript script;
    script.Do([&] { harness::Click(dialog.GetHwnd(), IDC_EXCHANGE_CHOOSE); })
        .Do([&] {
            HWND chooser = harness::FindThreadWindow("Tallymarks - Choose open project");
            HWND list = GetDlgItem(chooser, IDC_CHOOSE_PROJECT_LIST);
            const LRESULT row = SendMessageA(list, LB_FINDSTRING, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>("Work"));
            SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
            SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDC_CHOOSE_PROJECT_LIST, LBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(list));
            harness::Click(chooser, IDC_CHOOSE_PROJECT_OK);
        })
        .Do([&] {
            EXPECT_EQ(dialog.GetOtherProject(), work);
            ChooseDay(dialog);
            harness::Click(dialog.GetHwnd(), IDC_EXCHANGE_OK);
        });
    Run(script, dialog, CDataExchangeDlg::kImport);
    owned.reset();
    EXPECT_TRUE(script.GetMessageBoxes().empty());
    ASSERT_TRUE(Projects().Contains(work));
    EXPECT_EQ(Records(work->GetState()),
              std::vector<std::string>({"Dev\\Code -2 0", "Meet 32 33"}));
    EXPECT_TRUE(work->IsModified(ppTallymarks));
    EXPECT_EQ(Records(home->GetState()).size(), 3u);
    Projects().CloseAll();
    EXPECT_EQ(ReadFile(m_workPath), m_workBytes);
}

// Either project closed under the dialog (a tray exit, the end of the session) ends it;
// the project the dialog opened is closed with it and nothing else is touched.
TEST_F(ExchangeTest, AProjectClosedUnderItEndsIt) {
    for (bool closeHome : {true, false}) {
        WriteProjects(pffXML);
        CProject* home = OpenHome();
        auto owned = std::make_unique<CDataExchangeDlg>(home, CDataExchangeDlg::kExport);
        CDataExchangeDlg& dialog = *owned;
        CUiScript script;
        script.Do([&] {
            ChooseDay(dialog);
            ASSERT_TRUE(dialog.OpenOtherProject(m_workPath, 0));
            Projects().Close(closeHome ? home : dialog.GetOtherProject(), true);
        });
        Run(script, dialog, CDataExchangeDlg::kExport);
        EXPECT_EQ(dialog.GetOtherProject() == nullptr, !closeHome);
        owned.reset();
        if (!closeHome) {
            EXPECT_EQ(home->GetStateCount(), 1u);
            EXPECT_EQ(Records(home->GetState()), std::vector<std::string>({"Dev 9 10"}));
        }
        Projects().CloseAll();
        EXPECT_EQ(ReadFile(m_workPath), m_workBytes);
    }
}

// A move import cuts the tally marks out of the source file only once the receiving
// project holds them in its own file: Home, never saved, is saved first (the location
// question as for any save); a declined location or a failed save moves nothing and keeps
// the dialog open, with both files as they were.
TEST_F(ExchangeTest, AMoveImportSavesTheReceivingProjectFirst) {
    struct CLocationAnswer : CSlot<CProjectAskNewLocationEvent> {
        CProjectBrowser answer;
        int asked = 0;
        CProjectBrowser OnEvent(CProjectAskNewLocationEvent&) override {
            ++asked;
            return answer;
        }
    };
    const struct {
        const char* name;
        const char* location; // null: declined
        bool moved;
    } cases[] = {
        {"declined", nullptr, false},
        {"failing", "C:\\no such folder\\Home.wkp", false},
        {"saved", "Home new.wkp", true},
    };
    for (const auto& c : cases) {
        WriteProjects(pffBinary);
        CProject* home = Projects().CreateNew();
        home->GetState()->SetName("Home");
        AddMark(AddActivity(home->GetState()->GetRootActivity(), "Dev"), 9, 10);
        Projects().SetCurrent(home);
        CLocationAnswer location;
        location.Connect(home);
        const std::string homePath =
            c.location == nullptr || c.location[1] == ':' ? std::string() : PathOf(c.location);
        if (c.location != nullptr) {
            location.answer.Choose(homePath.empty() ? c.location : homePath, pffBinary);
        }
        auto owned = std::make_unique<CDataExchangeDlg>(home, CDataExchangeDlg::kImport);
        CDataExchangeDlg& dialog = *owned;
        CUiScript script;
        bool open = false;
        script
            .Do([&] {
                ASSERT_TRUE(dialog.OpenOtherProject(m_workPath, 0));
                harness::Click(dialog.GetHwnd(), IDC_EXCHANGE_MOVE);
                ChooseDay(dialog);
                harness::Click(dialog.GetHwnd(), IDC_EXCHANGE_OK);
            })
            .AnswerMessageBox(IDOK, "The project Work has been modified by the import");
        if (!c.moved) {
            script.Do([&] {
                open = dialog.IsOpen();
                harness::Click(dialog.GetHwnd(), IDCANCEL);
            });
        }
        Run(script, dialog, CDataExchangeDlg::kImport);
        owned.reset();
        EXPECT_EQ(location.asked, 1) << c.name;
        EXPECT_EQ(open, !c.moved) << c.name;
        EXPECT_EQ(ReadFile(m_workPath) == m_workBytes, !c.moved) << c.name;
        EXPECT_EQ(home->GetStateCount(), 1u) << c.name;
        EXPECT_EQ(home->IsModified(ppTallymarks), !c.moved) << c.name;
        EXPECT_EQ(Records(home->GetState()),
                  c.moved ? std::vector<std::string>({"Dev 10 12", "Dev 9 10", "Dev\\Code 0 2"})
                          : std::vector<std::string>({"Dev 9 10"}))
            << c.name;
        Projects().CloseAll();
        if (c.moved) {
            CProject* saved = Projects().OpenPath(homePath, CProjects::kOpenOnly, true);
            ASSERT_NE(saved, nullptr) << c.name;
            EXPECT_EQ(Records(saved->GetState()),
                      std::vector<std::string>({"Dev 10 12", "Dev 9 10", "Dev\\Code 0 2"}))
                << c.name;
            Projects().CloseAll();
        }
    }
}

// Work, open, holds a day's tally mark on an activity as deep as a project file holds, or
// one level deeper (built in memory). Importing it would give Home that activity: at the
// limit the import is made; beyond it, it is refused with a message and OK changes neither
// project.
TEST_F(ExchangeTest, AnImportNeverCreatesAnActivityDeeperThanAFileHolds) {
    for (int depth : {kMaxActivityDepth, kMaxActivityDepth + 1}) {
        WriteProjects(pffBinary);
        CProject* home = OpenHome();
        CProject* work = Projects().OpenPath(m_workPath, CProjects::kOpenOnly, true);
        ASSERT_NE(work, nullptr);
        CActivity* deep = work->GetState()->GetRootActivity();
        while (deep->GetDepth() < depth) {
            deep = AddActivity(deep, "Level " + std::to_string(deep->GetDepth() + 1));
        }
        AddMark(deep, 3, 4);
        const std::vector<std::string> workRecords = Records(work->GetState());
        auto owned = std::make_unique<CDataExchangeDlg>(home, CDataExchangeDlg::kImport);
        CDataExchangeDlg& dialog = *owned;
        CUiScript script(120000);
        std::vector<std::string> preview;
        script.Do([&] {
            // The exchange runs once, when the project is taken.
            ChooseDay(dialog);
            ASSERT_TRUE(dialog.OpenOtherProject(m_workPath, 0));
            preview = Records(dialog.GetPreviewState());
            harness::Click(dialog.GetHwnd(), IDC_EXCHANGE_OK);
        });
        const bool refused = depth > kMaxActivityDepth;
        if (refused) {
            script.AnswerMessageBox(IDOK, "\"Level 1001\" lies 1001 levels deep");
        }
        Run(script, dialog, CDataExchangeDlg::kImport);
        owned.reset();
        const std::string label = std::to_string(depth);
        ASSERT_EQ(script.GetMessageBoxes().size(), refused ? 1u : 0u) << label;
        if (refused) {
            EXPECT_EQ(script.GetMessageBoxes()[0].caption, "Tallymarks - Could not import");
            EXPECT_EQ(preview, std::vector<std::string>({"Dev 9 10"}));
            EXPECT_EQ(Records(home->GetState()), std::vector<std::string>({"Dev 9 10"}));
            EXPECT_EQ(home->GetState()->GetRootActivity()->GetNumDescendants(), 1);
            EXPECT_EQ(Records(work->GetState()), workRecords);
        } else {
            EXPECT_EQ(preview.size(), 4u) << label;
            EXPECT_EQ(Records(home->GetState()).size(), 4u) << label;
            EXPECT_EQ(home->GetState()->GetRootActivity()->GetNumDescendants(), 2 + depth);
        }
        Projects().CloseAll();
    }
}

} // namespace
