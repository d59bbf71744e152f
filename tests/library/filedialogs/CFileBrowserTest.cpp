#include "library/files/CFileBrowser.h"

#include "../system/CScratchFolder.h"
#include "CDialogScript.h"

#include <gtest/gtest.h>

#include <dlgs.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

const char* const Filter = "Text (*.txt)\0*.txt\0Web page (*.htm)\0*.htm\0All files\0*.*\0";

class CFileBrowserTest : public ::testing::Test {
protected:
    // A browser on the test's filters that starts with name in the scratch folder.
    void Prepare(CFileBrowser& browser, CFileBrowser::EMode mode, const std::string& name) {
        browser.SetMode(mode);
        browser.SetFilter(Filter);
        browser.SetInitialPath(m_scratch.File(name));
    }

    CScratchFolder m_scratch;
};

TEST_F(CFileBrowserTest, ReplaceExtensionOnlyBehindTheLastFolder) {
    struct SCase {
        const char* name;
        const char* expected;
    };
    const SCase cases[] = {
        {"report.txt", "report.htm"},
        {"report", "report"},
        {"x.y.txt", "x.y.htm"},
        {"report.", "report.htm"},
        {"C:\\my.dir\\report", "C:\\my.dir\\report"},
        {"C:\\my.dir\\report.txt", "C:\\my.dir\\report.htm"},
        {"a/b.c/d", "a/b.c/d"},
        {"a.b\\c/d.txt", "a.b\\c/d.htm"},
        {"", ""},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(CFileBrowser::ReplaceExtension(c.name, "htm"), c.expected) << c.name;
    }
}

// The headless way to change the file type (CB_SETCURSEL on the filter box plus
// CBN_SELENDOK) raises the type-change notification that the handler follows.
TEST_F(CFileBrowserTest, TypedNameFollowsTheChosenFilter) {
    CFileBrowser browser;
    Prepare(browser, CFileBrowser::Save, "report.txt");
    browser.SetFilterIndex(1);
    browser.SetExtensionHandler({"txt", "htm", ""});

    std::vector<std::string> seen;
    auto select = [&seen](const char* typed, int position) {
        return [&seen, typed, position](HWND dialog) {
            if (typed != nullptr) {
                CDialogScript::TypeName(dialog, typed);
            }
            CDialogScript::SelectFilter(dialog, position);
            seen.push_back(CDialogScript::FileName(dialog));
        };
    };
    CDialogScript script({
        [&seen](HWND dialog) { seen.push_back(CDialogScript::FileName(dialog)); },
        select(nullptr, 1),
        select(nullptr, 2),
        select("C:\\my.dir\\report", 0),
        select("plan", 1),
        select("x.y.txt", 1),
        select("final.txt", 1),
        [](HWND dialog) { CDialogScript::Press(dialog, IDOK); },
    });
    const bool chosen = browser.Browse();
    EXPECT_FALSE(script.TimedOut());
    EXPECT_TRUE(script.Finished());
    const std::vector<std::string> expected = {
        "report.txt", "report.htm", "report.htm", "C:\\my.dir\\report",
        "plan",       "x.y.htm",    "final.htm",
    };
    EXPECT_EQ(seen, expected);
    ASSERT_TRUE(chosen);
    EXPECT_TRUE(browser.IsChosen());
    EXPECT_EQ(browser.GetPath(), m_scratch.File("final.htm"));
    EXPECT_EQ(browser.GetChosenFilterIndex(), 2u);
}

TEST_F(CFileBrowserTest, WithoutTheHandlerTheNameStays) {
    CFileBrowser browser;
    Prepare(browser, CFileBrowser::Save, "report.txt");
    std::string seen;
    CDialogScript script({
        [&seen](HWND dialog) {
            CDialogScript::SelectFilter(dialog, 1);
            seen = CDialogScript::FileName(dialog);
        },
        [](HWND dialog) { CDialogScript::Press(dialog, IDCANCEL); },
    });
    EXPECT_FALSE(browser.Browse());
    EXPECT_TRUE(script.Finished());
    EXPECT_FALSE(script.TimedOut());
    EXPECT_EQ(seen, "report.txt");
}

TEST_F(CFileBrowserTest, InitialPathTitleAndFolder) {
    ASSERT_TRUE(m_scratch.MakeFolder("sub"));
    ASSERT_TRUE(m_scratch.MakeFolder("other"));
    struct SCase {
        std::string initialPath;
        std::string initialFolder;
        std::string folder;
        std::string name;
    };
    const SCase cases[] = {
        {m_scratch.File("sub\\start.txt"), m_scratch.File("other"), m_scratch.File("sub"),
         "start.txt"},
        {"name.txt", m_scratch.File("other"), m_scratch.File("other"), "name.txt"},
    };
    for (const SCase& c : cases) {
        CFileBrowser browser;
        browser.SetMode(CFileBrowser::Save);
        browser.SetFilter(Filter);
        browser.SetTitle("Report to file");
        browser.SetInitialPath(c.initialPath);
        browser.SetInitialFolder(c.initialFolder);
        std::string title;
        std::string folder;
        std::string name;
        CDialogScript script({
            [&](HWND dialog) {
                title = CDialogScript::Text(dialog);
                char path[MAX_PATH] = {};
                SendMessageA(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(path));
                folder = path;
                name = CDialogScript::FileName(dialog);
            },
            [](HWND dialog) { CDialogScript::Press(dialog, IDCANCEL); },
        });
        EXPECT_FALSE(browser.Browse());
        EXPECT_TRUE(script.Finished());
        EXPECT_EQ(title, "Report to file");
        EXPECT_EQ(folder, c.folder);
        EXPECT_EQ(name, c.name);
    }
}

TEST_F(CFileBrowserTest, CancelClearsTheLastResult) {
    CFileBrowser browser;
    Prepare(browser, CFileBrowser::Save, "a.txt");
    {
        CDialogScript script({[](HWND dialog) { CDialogScript::Press(dialog, IDOK); }});
        ASSERT_TRUE(browser.Browse());
        EXPECT_EQ(browser.GetPath(), m_scratch.File("a.txt"));
        EXPECT_EQ(browser.GetChosenFilterIndex(), 1u);
    }
    CDialogScript script({[](HWND dialog) { CDialogScript::Press(dialog, IDCANCEL); }});
    EXPECT_FALSE(browser.Browse());
    EXPECT_TRUE(script.Finished());
    EXPECT_FALSE(browser.IsChosen());
    EXPECT_EQ(browser.GetPath(), "");
    EXPECT_EQ(browser.GetChosenFilterIndex(), 0u);
}

// A handler's answer to the file-OK notification decides whether the dialog may close.
TEST_F(CFileBrowserTest, HandlerCanRefuseTheChosenFile) {
    CFileBrowser browser;
    Prepare(browser, CFileBrowser::Save, "a.txt");
    int fileOks = 0;
    HWND handlerDialog = nullptr;
    browser.SetNotificationHandler(
        [&](CFileBrowser& which, HWND dialog, const OFNOTIFYA& notification, LRESULT& result) {
            EXPECT_EQ(&which, &browser);
            handlerDialog = dialog;
            if (notification.hdr.code != CDN_FILEOK) {
                return false;
            }
            result = ++fileOks == 1 ? 1 : 0; // refuse the first choice only
            return true;
        });
    bool openAfterRefusal = false;
    CDialogScript script({
        [](HWND dialog) { CDialogScript::Press(dialog, IDOK); },
        [&](HWND dialog) {
            openAfterRefusal = IsWindow(dialog) != FALSE;
            CDialogScript::TypeName(dialog, "b.txt");
            CDialogScript::Press(dialog, IDOK);
        },
    });
    ASSERT_TRUE(browser.Browse());
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(fileOks, 2);
    EXPECT_EQ(handlerDialog, script.Dialog());
    EXPECT_EQ(browser.GetPath(), m_scratch.File("b.txt"));
}

TEST_F(CFileBrowserTest, HandlerExceptionClosesTheDialogAndIsThrownAgain) {
    CFileBrowser browser;
    browser.SetFilter(Filter);
    browser.SetNotificationHandler(
        [](CFileBrowser&, HWND, const OFNOTIFYA& notification, LRESULT&) -> bool {
            if (notification.hdr.code == CDN_INITDONE) {
                throw std::runtime_error("handler failed");
            }
            return false;
        });
    CDialogScript script(std::vector<CDialogScript::SStep>{}, 10000);
    EXPECT_THROW(browser.Browse(), std::runtime_error);
    EXPECT_FALSE(script.TimedOut());
    EXPECT_FALSE(browser.IsChosen());
}

TEST_F(CFileBrowserTest, ReadOnlyBox) {
    ASSERT_TRUE(m_scratch.Write("existing.txt", "x"));
    struct SCase {
        bool show;
        bool startClear;
        bool click; // the user checks the box
        bool visible;
        bool checkedAtStart;
        bool checkedResult;
    };
    const SCase cases[] = {
        {false, false, false, false, false, false},
        {true, false, false, true, true, true},
        {true, true, false, true, false, false},
        {true, true, true, true, false, true},
    };
    for (const SCase& c : cases) {
        CFileBrowser browser;
        Prepare(browser, CFileBrowser::Open, "existing.txt");
        browser.SetReadOnlyBox(c.show, c.startClear);
        bool visible = false;
        bool checked = false;
        CDialogScript script({
            [&](HWND dialog) {
                const HWND box = GetDlgItem(dialog, chx1);
                visible = box != nullptr && IsWindowVisible(box);
                checked = box != nullptr && SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
                if (c.click) {
                    SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
                }
            },
            [](HWND dialog) { CDialogScript::Press(dialog, IDOK); },
        });
        ASSERT_TRUE(browser.Browse());
        EXPECT_TRUE(script.Finished());
        EXPECT_EQ(visible, c.visible) << c.show << c.startClear;
        EXPECT_EQ(checked, c.checkedAtStart) << c.show << c.startClear;
        EXPECT_EQ(browser.IsReadOnlyChecked(), c.checkedResult) << c.show << c.startClear;
        EXPECT_EQ(browser.GetPath(), m_scratch.File("existing.txt"));
    }
}

// By default an existing file is taken without a question; with the prompt asked for,
// the dialog asks first.
TEST_F(CFileBrowserTest, OverwritePromptOnlyWhenAskedFor) {
    ASSERT_TRUE(m_scratch.Write("existing.txt", "x"));
    for (const bool prompt : {false, true}) {
        CFileBrowser browser;
        Prepare(browser, CFileBrowser::Save, "existing.txt");
        browser.SetNoOverwritePrompt(!prompt);
        bool asked = false;
        std::vector<CDialogScript::SStep> steps = {
            {[](HWND dialog) { CDialogScript::Press(dialog, IDOK); }, false},
        };
        if (prompt) {
            steps.push_back({[&asked](HWND box) {
                                 asked = true;
                                 CDialogScript::Press(box, IDYES);
                             },
                             true});
        }
        CDialogScript script(std::move(steps));
        EXPECT_TRUE(browser.Browse()) << prompt;
        EXPECT_TRUE(script.Finished()) << prompt;
        EXPECT_FALSE(script.TimedOut()) << prompt;
        EXPECT_EQ(asked, prompt);
    }
}

} // namespace
