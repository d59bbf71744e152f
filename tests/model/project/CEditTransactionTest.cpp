#include "model/CEditTransaction.h"

#include "library/text/CError.h"
#include "model/CProject.h"
#include "model/CProjectState.h"

#include "ProjectLog.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using projecttest::CProjectLog;

namespace {

using Events = std::vector<std::string>;

// Each way a dialog's transaction ends: what the project keeps and announces.
TEST(EditTransactionTest, EndsExactlyOnceEveryWay) {
    const struct {
        const char* way;
        std::function<void(CEditTransaction&)> end;
        const char* name;
        Events events;
    } cases[] = {
        {"commit",
         [](CEditTransaction& edit) { edit.Commit(); },
         "edited",
         {"modified", "switched", "ended"}},
        {"discard", [](CEditTransaction& edit) { edit.Discard(); }, "before", {"ended"}},
        {"going away",
         [](CEditTransaction& edit) { CEditTransaction gone(std::move(edit)); },
         "before",
         {"ended"}},
        {"replaced by another",
         [](CEditTransaction& edit) { edit = CEditTransaction(); },
         "before",
         {"ended"}},
        {"commit, then discard",
         [](CEditTransaction& edit) {
             edit.Commit();
             edit.Discard();
         },
         "edited",
         {"modified", "switched", "ended"}},
    };
    for (const auto& c : cases) {
        CProject project;
        project.GetState()->SetName("before");
        CProjectLog log(project);
        {
            CEditTransaction edit(project);
            ASSERT_TRUE(edit.IsOpen());
            EXPECT_EQ(project.GetStateCount(), 2u);
            edit.GetState()->SetName("edited");
            c.end(edit);
            EXPECT_FALSE(edit.IsOpen()) << c.way;
            EXPECT_EQ(edit.GetState(), nullptr) << c.way;
        }
        EXPECT_EQ(project.GetStateCount(), 1u) << c.way;
        EXPECT_EQ(project.GetState()->GetName(), c.name) << c.way;
        EXPECT_EQ(log.events, c.events) << c.way;
    }
}

// An inner dialog's transaction writes into the outer copy; only the innermost may end,
// and the outer one follows the copy that the inner commit put in its place.
TEST(EditTransactionTest, NestsAndOnlyTheInnermostEnds) {
    CProject project;
    CProjectLog log(project);
    CEditTransaction outer(project);
    CEditTransaction inner(project);
    EXPECT_EQ(outer.GetState(), nullptr) << "not the innermost";
    EXPECT_THROW(outer.Commit(), CError);
    EXPECT_THROW(outer.Discard(), CError);
    inner.GetState()->SetName("inner");
    inner.Commit();
    EXPECT_EQ(log.events, Events({"switched"})) << "the outer edit still decides";
    ASSERT_NE(outer.GetState(), nullptr);
    EXPECT_EQ(outer.GetState()->GetName(), "inner");
    outer.Discard();
    EXPECT_EQ(project.GetState()->GetName(), "");
    EXPECT_EQ(log.events, Events({"switched", "ended"}));
}

// A project closed under the dialog takes its states along: the abandoned transaction
// touches it no more.
TEST(EditTransactionTest, AbandonedLeavesTheProjectAlone) {
    auto project = std::make_unique<CProject>();
    CEditTransaction edit(*project);
    edit.Abandon();
    EXPECT_FALSE(edit.IsOpen());
    EXPECT_EQ(project->GetStateCount(), 2u);
    project.reset();
    edit.Commit();
    edit.Discard();
}

} // namespace
