// A save asks its listeners where to write, and they may let anything happen meanwhile:
// the project may be closed and deleted, or the state to save may leave it. The save
// then writes nothing, so that no loadable file is replaced.

#include "model/CProject.h"

#include "model/CEditTransaction.h"
#include "model/CProjectState.h"
#include "model/EProjectFileFormat.h"

#include "ProjectTestHelpers.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

namespace {

using projecttest::CTempFolder;

std::string Bytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string LoadedName(const std::string& path) {
    CProject project;
    const CError error = project.Load(CFilePath(path));
    return error.IsError() ? "error: " + error.GetText() : project.GetState()->GetName();
}

// Answers the location question with path, after running meanwhile.
class CMeanwhileAnswer : public CSlot<CProjectAskNewLocationEvent> {
public:
    CMeanwhileAnswer(CProject& project, std::string path, std::function<void()> meanwhile)
        : m_path(std::move(path)), m_meanwhile(std::move(meanwhile)) {
        Connect(&project);
    }

protected:
    CProjectBrowser OnEvent(CProjectAskNewLocationEvent&) override {
        m_meanwhile();
        CProjectBrowser answer;
        answer.Choose(m_path, pffBinary);
        return answer;
    }

private:
    std::string m_path;
    std::function<void()> m_meanwhile;
};

struct SGuardCase {
    const char* what;
    // Whether the state to save is the one of an open transaction.
    bool transactionState;
    // What happens while the location is asked for; edit holds the transaction.
    std::function<void(std::unique_ptr<CProject>& project, CEditTransaction& edit)> meanwhile;
    bool result;
    // The project name the file holds afterwards.
    const char* fileName;
};

TEST(ProjectSaveGuardTest, WhatHappensWhileTheLocationIsAskedForDecidesWhatIsWritten) {
    const SGuardCase cases[] = {
        {"the project is closed and deleted", false,
         [](std::unique_ptr<CProject>& project, CEditTransaction&) { project.reset(); }, false,
         "Old"},
        {"the transaction whose state is saved ends", true,
         [](std::unique_ptr<CProject>&, CEditTransaction& edit) { edit.Discard(); }, false, "Old"},
        {"a transaction is committed: its state is what the project holds now", false,
         [](std::unique_ptr<CProject>& project, CEditTransaction&) {
             CEditTransaction other(*project);
             other.GetState()->SetName("Committed meanwhile");
             other.Commit();
         },
         true, "Committed meanwhile"},
        {"nothing happens", false, [](std::unique_ptr<CProject>&, CEditTransaction&) {}, true,
         "New"},
    };
    for (const SGuardCase& c : cases) {
        SCOPED_TRACE(c.what);
        CTempFolder folder;
        const std::string path = folder.Path("plan.wkp");
        {
            CProject old;
            old.GetState()->SetName("Old");
            ASSERT_TRUE(old.Save(false, nullptr, path.c_str(), pffBinary));
        }
        const std::string before = Bytes(path);

        auto project = std::make_unique<CProject>();
        project->GetState()->SetName("New");
        CProjectState* state = nullptr;
        CEditTransaction edit;
        if (c.transactionState) {
            edit.Restart(*project);
            state = edit.GetState();
        }
        CMeanwhileAnswer answer(*project, path, [&] { c.meanwhile(project, edit); });
        CProject* saving = project.get();
        EXPECT_EQ(saving->Save(true, state), c.result);
        edit.Drop();
        project.reset();

        EXPECT_EQ(LoadedName(path), c.fileName);
        if (!c.result) {
            EXPECT_EQ(Bytes(path), before);
        }
    }
}

} // namespace
