#include "model/CEditTransaction.h"

#include "library/text/CError.h"
#include "model/CProject.h"
#include "model/CProjectState.h"

#include "ProjectLog.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using projecttest::CProjectLog;

namespace {

using Events = std::vector<std::string>;

// Every way a dialog's transaction ends, once: commit, discard, going away (also after a
// move), or being replaced. Only the innermost may end; the outer one then edits the copy
// that the inner commit put in its place.
TEST(EditTransactionTest, EndsOnceEveryWayAndOnlyAsTheInnermost) {
    for (int way = 0; way < 4; ++way) {
        CProject project;
        CProjectLog log(project);
        {
            CEditTransaction edit(project);
            edit.GetState()->SetName("edited");
            if (way == 0) {
                edit.Commit();
                edit.Discard();
            } else if (way == 1) {
                edit.Discard();
            } else if (way == 2) {
                CEditTransaction moved(std::move(edit));
            } else {
                edit = CEditTransaction();
            }
            EXPECT_FALSE(edit.IsOpen()) << way;
        }
        EXPECT_EQ(project.GetState()->GetName(), way == 0 ? "edited" : "") << way;
        EXPECT_EQ(log.events,
                  way == 0 ? Events({"modified", "switched", "ended"}) : Events({"ended"}))
            << way;
    }
    CProject project;
    CEditTransaction outer(project);
    CEditTransaction inner(project);
    EXPECT_EQ(outer.GetState(), nullptr);
    EXPECT_THROW(outer.Discard(), CError);
    inner.GetState()->SetName("inner");
    inner.Commit();
    ASSERT_NE(outer.GetState(), nullptr);
    EXPECT_EQ(outer.GetState()->GetName(), "inner");
}

} // namespace
