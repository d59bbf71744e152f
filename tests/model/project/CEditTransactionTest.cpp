#include "model/CEditTransaction.h"

#include "library/text/CError.h"
#include "model/CActivity.h"
#include "model/CClockNotices.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"

#include "ProjectLog.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <utility>
#include <vector>

using projecttest::CProjectLog;

namespace {

using Events = std::vector<std::string>;

// An open transaction cannot be overwritten: assigning one over another would open the
// new edit before the old one ends, and the old one would stay open for good.
static_assert(!std::is_move_assignable<CEditTransaction>::value &&
                  !std::is_copy_assignable<CEditTransaction>::value,
              "a transaction is restarted, never assigned");

enum class EWay { Commit, Discard, Move, Restart, Drop };

// Ends edit the given way (Move: the transaction is moved into one that goes at once).
void EndTransaction(CEditTransaction& edit, EWay way, CProject& project) {
    switch (way) {
    case EWay::Commit:
        edit.Commit();
        break;
    case EWay::Discard:
        edit.Discard();
        break;
    case EWay::Move: {
        CEditTransaction moved(std::move(edit));
        break;
    }
    case EWay::Restart:
        edit.Restart(project);
        break;
    case EWay::Drop:
        edit.Drop();
        break;
    }
}

// A tally mark of state ended after the clock was set back.
void ReportOn(CProjectState* state) {
    CActivity* root = state->GetRootActivity();
    CTallymark* ended = new CTallymark(root, CDateTime(45000.0), CDateTime(45000.5));
    root->GetTallymarks().Add(ended);
    CClockNotices::Get().Report(EClockNotice::EndedAfterClockSetBack, root, ended, CDateTime());
}

// Every way a dialog's transaction ends, once: commit, discard, going away (also after a
// move), being restarted on the project, or being dropped. Only the innermost may end; the
// outer one then edits the copy that the inner commit put in its place, with the clock
// notices that wait with it.
TEST(EditTransactionTest, EndsOnceEveryWayAndOnlyAsTheInnermost) {
    const struct {
        EWay way;
        bool openAfter; // a transaction is open right after the way
        const char* name;
        Events events;
    } cases[] = {
        {EWay::Commit, false, "edited", {"modified", "switched", "ended"}},
        {EWay::Discard, false, "", {"ended"}},
        {EWay::Move, false, "", {"ended"}},
        // The edit held is ended before the next opens; the next goes with the object.
        {EWay::Restart, true, "", {"ended", "ended"}},
        {EWay::Drop, false, "", {"ended"}},
    };
    for (const auto& c : cases) {
        const int way = static_cast<int>(c.way);
        CProject project;
        CProjectLog log(project);
        {
            CEditTransaction edit(project);
            edit.GetState()->SetName("edited");
            EndTransaction(edit, c.way, project);
            if (c.way == EWay::Commit) {
                edit.Discard();
            } else if (c.way == EWay::Restart) {
                EXPECT_EQ(edit.GetState()->GetName(), "") << "a copy of the committed state";
            }
            EXPECT_EQ(edit.IsOpen(), c.openAfter) << way;
            EXPECT_EQ(project.GetStateCount(), c.openAfter ? 2u : 1u) << way;
        }
        EXPECT_EQ(project.GetStateCount(), 1u) << way;
        EXPECT_EQ(project.GetState()->GetName(), c.name) << way;
        EXPECT_EQ(log.events, c.events) << way;
    }
    CClockNotices::Get().TakePending();
    CProject project;
    CEditTransaction outer(project);
    ReportOn(outer.GetState());
    CEditTransaction inner(project);
    ReportOn(inner.GetState());
    EXPECT_EQ(outer.GetState(), nullptr);
    EXPECT_THROW(outer.Discard(), CError);
    EXPECT_THROW(outer.Restart(project), CError);
    EXPECT_EQ(project.GetStateCount(), 3u) << "a refused restart opens nothing";
    inner.GetState()->SetName("inner");
    inner.Commit();
    ASSERT_NE(outer.GetState(), nullptr);
    EXPECT_EQ(outer.GetState()->GetName(), "inner");
    EXPECT_FALSE(CClockNotices::Get().HasPending())
        << "the inner commit hands on to the outer copy";
    outer.Commit();
    EXPECT_EQ(CClockNotices::Get().TakePending().size(), 2u);
}

// An outer transaction that goes while an inner one is open stays until the inner one has
// ended, and then takes what the inner one committed with it.
TEST(EditTransactionTest, AnOuterTransactionThatGoesFirstEndsAfterTheInnerOne) {
    for (bool innerCommits : {false, true}) {
        CProject project;
        CProjectLog log(project);
        CEditTransaction inner;
        {
            CEditTransaction outer(project);
            outer.GetState()->SetName("outer");
            inner.Restart(project);
        }
        EXPECT_EQ(project.GetStateCount(), 3u) << "the inner edit goes on";
        ASSERT_NE(inner.GetState(), nullptr);
        inner.GetState()->SetName("inner");
        if (innerCommits) {
            inner.Commit();
        } else {
            inner.Discard();
        }
        EXPECT_EQ(project.GetStateCount(), 1u) << innerCommits;
        EXPECT_EQ(project.GetState()->GetName(), "") << innerCommits;
        EXPECT_EQ(log.events, innerCommits ? Events({"switched", "ended"}) : Events({"ended"}));
    }
}

enum class EThrowOn { Modified, Switched, Ended };

// Throws when it hears the announcement it is set for; notes whether it heard the end.
class CThrowingListener : public CSlot<CProjectModifiedEvent>,
                          public CSlot<CProjectStateSwitchedEvent>,
                          public CSlot<CProjectEndStateTrackingEvent> {
public:
    CThrowingListener(CProject& project, EThrowOn on) : m_on(on) {
        CSlot<CProjectModifiedEvent>::Connect(&project);
        CSlot<CProjectStateSwitchedEvent>::Connect(&project);
        CSlot<CProjectEndStateTrackingEvent>::Connect(&project);
    }
    bool heardEnd = false;

protected:
    bool OnEvent(CProjectModifiedEvent&) override { return Hear(EThrowOn::Modified); }
    bool OnEvent(CProjectStateSwitchedEvent&) override { return Hear(EThrowOn::Switched); }
    bool OnEvent(CProjectEndStateTrackingEvent&) override {
        heardEnd = true;
        return Hear(EThrowOn::Ended);
    }

private:
    bool Hear(EThrowOn event) {
        if (event == m_on) {
            throw CError(1, "a listener failed");
        }
        return true;
    }
    EThrowOn m_on;
};

// A listener that throws while an edit ends: the edit has ended all the same and its end
// is announced; Commit, Discard and Restart pass the exception on, while the destructor
// and Drop, which cannot, drop it instead of ending the program.
TEST(EditTransactionTest, AListenerThatThrowsWhileTheEditEndsLeavesNoEditOpen) {
    const struct {
        const char* what;
        EThrowOn on;
        EWay way;
        bool passedOn;
    } cases[] = {
        {"going away, the end announcement throws", EThrowOn::Ended, EWay::Move, false},
        {"dropped, the end announcement throws", EThrowOn::Ended, EWay::Drop, false},
        {"discarded, the end announcement throws", EThrowOn::Ended, EWay::Discard, true},
        {"restarted, the end announcement throws", EThrowOn::Ended, EWay::Restart, true},
        {"committed, the switch announcement throws", EThrowOn::Switched, EWay::Commit, true},
        {"committed, the change report throws", EThrowOn::Modified, EWay::Commit, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CProject project;
        CThrowingListener listener(project, c.on);
        bool thrown = false;
        {
            CEditTransaction edit(project);
            edit.GetState()->SetName("edited");
            try {
                EndTransaction(edit, c.way, project);
            } catch (const CError&) {
                thrown = true;
            }
            EXPECT_FALSE(edit.IsOpen());
        }
        EXPECT_EQ(thrown, c.passedOn);
        EXPECT_TRUE(listener.heardEnd);
        EXPECT_EQ(project.GetStateCount(), 1u);
        EXPECT_EQ(project.GetState()->GetName(), c.way == EWay::Commit ? "edited" : "");
    }
}

} // namespace
