// The tree arithmetic behind Remove, Remove unused and Sort all, on one fixture tree.

#include "dialogs/ActivityTreeEdits.h"

#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

class ActivityTreeEditsTest : public ::testing::Test {
protected:
    // One activity per line, one blank a level; "*" books a tally mark on it.
    void Build(std::initializer_list<const char*> lines) {
        std::vector<CActivity*> parents = {Root()};
        for (std::string line : lines) {
            const size_t depth = line.find_first_not_of(' ');
            const bool used = line.back() == '*';
            const std::string name = line.substr(depth, line.size() - depth - (used ? 1 : 0));
            CActivity* activity = new CActivity(m_project.GetState(), name, true);
            parents.resize(depth + 1);
            parents[depth]->AddChildActivity(activity, -1);
            parents.push_back(activity);
            if (used) {
                activity->GetTallymarks().Add(
                    new CTallymark(activity, CDateTime(45000.0), CDateTime(45000.5)));
            }
            m_a[name] = activity;
        }
    }
    CActivity* Root() { return m_project.GetState()->GetRootActivity(); }
    std::string Name(const CActivity* activity) {
        return activity == nullptr ? "-" : activity == Root() ? "root" : activity->GetName();
    }
    std::string Order() {
        std::string order;
        for (CActivity* a = Root()->GetNextInSubtree(Root()); a; a = a->GetNextInSubtree(Root())) {
            order += std::string(static_cast<size_t>(a->GetDepth() - 1), '.') + a->GetName() + " ";
        }
        return order;
    }

    CProject m_project;
    std::map<std::string, CActivity*> m_a;
};

// What Remove selects: the row above the removed one, then the row after that once the
// removed subtree is gone.
TEST_F(ActivityTreeEditsTest, RowAboveAndTheRowAfterARemoval) {
    const struct {
        const char* removed;
        const char* above;
        const char* after;
    } cases[] = {
        {"A", "root", "B"}, {"A1", "A", "A2"}, {"A1a", "A1", "A2"},
        {"A2", "A1a", "B"}, {"B", "A2", "C"},  {"C1", "C", "C"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.removed);
        m_a.clear();
        Root()->DeleteChildren();
        Build({"A", " A1", "  A1a", " A2", "B", "C", " C1"});
        CActivity* above = activitytree::RowAbove(m_a[c.removed]);
        EXPECT_EQ(Name(above), c.above);
        delete m_a[c.removed];
        EXPECT_EQ(Name(activitytree::RowAfter(above)), c.after);
    }
    Root()->DeleteChildren();
    Build({"A"});
    delete m_a["A"];
    EXPECT_EQ(activitytree::RowAfter(Root()), nullptr);
}

TEST_F(ActivityTreeEditsTest, UnusedCountsActivitiesWithoutTallymarksBelowThem) {
    Build({"A", " A1*", " A2", "  A2a", "B", "C*", " C1"});
    EXPECT_EQ(activitytree::CountUnused(Root()), 4); // A2, A2a, B, C1
    Root()->RemoveUnused();
    EXPECT_EQ(Order(), "A .A1 C ");
    EXPECT_EQ(activitytree::CountUnused(Root()), 0);
}

TEST_F(ActivityTreeEditsTest, SortAllOrdersEveryLevelByLoweredNameBytes) {
    Build({"b", " Zeta", " alpha", " Beta", "_x", "B", "a", " y", " X", "\xC9t\xE9", "10"});
    activitytree::SortAll(Root());
    // '1' < '_' < 'a'..'z' < 0xC9; "B" repeats the key of "b" and goes after the sorted ones.
    EXPECT_EQ(Order(), "10 _x a .X .y b .alpha .Beta .Zeta \xC9t\xE9 B ");
    EXPECT_EQ(activitytree::SortKey("AbZ\xC4["), "abz\xC4[");
}

} // namespace
