#include "library/controls/CPopupMenuEntry.h"

#include "library/windows/CInvisibleWindow.h"
#include "MenuKeys.h"

#include <gtest/gtest.h>

namespace {

// Command data that counts its instances, so that ownership shows.
struct SCommand : SPopupMenuEntryData {
    explicit SCommand(int id_) : id(id_) { ++alive; }
    ~SCommand() override { --alive; }
    int id;
    static int alive;
};
int SCommand::alive = 0;

// Open, Archive (disabled and checked), a column with a bar, Recent > Plan, a
// separator, Exit.
struct STestMenu {
    STestMenu() {
        root.AddItem("&Open", new SCommand(1), true, false);
        root.AddItem("&Archive", new SCommand(2), false, true);
        root.AddSeparator(CPopupMenuEntry::kMenuBarBreak);
        recent = root.AddSubMenu("&Recent", true, false);
        recent->AddItem("Plan", new SCommand(3), true, false);
        root.AddSeparator(CPopupMenuEntry::kSeparator);
        root.AddItem("E&xit", new SCommand(4), true, false);
    }
    CPopupMenuEntry root{true};
    CPopupMenuEntry* recent;
};

TEST(CPopupMenuEntryTest, TreeBuildsIntoAMenuAndACommandTable) {
    {
        STestMenu menu;
        CPopupMenuEntry::CommandTable table(1, nullptr);
        ASSERT_TRUE(menu.root.Build(table));
        HMENU built = menu.root.GetMenu();
        ASSERT_EQ(table.size(), 5u);
        EXPECT_EQ(table[0], nullptr);
        for (int id = 1; id <= 4; ++id) {
            EXPECT_EQ(static_cast<SCommand*>(table[id])->id, id);
        }
        const UINT ids[] = {1, 2, 0, UINT(-1), 0, 4};
        // The flags that tell each item's kind and state.
        const UINT command = MF_CHECKED | MF_GRAYED, breaks = MF_MENUBARBREAK | MF_MENUBREAK;
        const UINT masks[] = {command, command, breaks, MF_POPUP, MF_SEPARATOR, command};
        const UINT states[] = {0, command, MF_MENUBARBREAK, MF_POPUP, MF_SEPARATOR, 0};
        ASSERT_EQ(GetMenuItemCount(built), 6);
        for (UINT i = 0; i < 6; ++i) {
            EXPECT_EQ(GetMenuItemID(built, i), ids[i]) << i;
            EXPECT_EQ(GetMenuState(built, i, MF_BYPOSITION) & masks[i], states[i]) << i;
        }
        EXPECT_EQ(GetSubMenu(built, 3), menu.recent->GetMenu());
        EXPECT_EQ(GetMenuItemID(menu.recent->GetMenu(), 0), 3u);
        EXPECT_EQ(SCommand::alive, 4);
    }
    EXPECT_EQ(SCommand::alive, 0);
}

void CALLBACK EndMenuOnTick(HWND, UINT, UINT_PTR, DWORD) {
    EndMenu();
}

TEST(CPopupMenuEntryTest, TrackingGivesTheChosenCommandsData) {
    CInvisibleWindow owner(GetModuleHandleA(nullptr));
    ASSERT_NE(owner.Create(), nullptr);
    struct SCase {
        std::vector<WPARAM> keys;
        bool returnCommand;
        int expected; // 0: null
    } cases[] = {
        {{VK_DOWN, VK_RETURN}, true, 1},
        {{VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN}, true, 3}, // Recent > Plan
        {{VK_DOWN, VK_DOWN, VK_RETURN}, true, 0},                    // Archive is disabled
        {{VK_ESCAPE}, true, 0},
        {{}, true, 0}, // ended from outside
        {{VK_DOWN, VK_RETURN}, false, 0},
    };
    for (const SCase& test : cases) {
        STestMenu menu;
        PostMenuKeys(owner.GetHandle(), test.keys);
        // Keys that do not end the menu leave it to this timer.
        const UINT_PTR guard = SetTimer(nullptr, 0, 1000, &EndMenuOnTick);
        SPopupMenuEntryData* chosen =
            menu.root.Track(owner.GetHandle(), 100, 100, 2, 2, false, test.returnCommand, true);
        KillTimer(nullptr, guard);
        EXPECT_EQ(chosen == nullptr ? 0 : static_cast<SCommand*>(chosen)->id, test.expected)
            << test.keys.size() << " keys";
    }
}

} // namespace
