#pragma once

// The decisions of the main menu that need no window: which ids are its commands, which
// command can run under given facts, which item is checked, which dialog a command
// opens, and the labels of the recent-projects and open-projects lists. The menu greys
// exactly the commands that IsMenuCommandEnabled refuses and asks the same function again
// before it carries a command out, so a command that arrives for a greyed item (from a
// keyboard shortcut, a test or another program) does nothing.

#include "app/main/EDialogKind.h"
#include "mainwindow/SMenuFacts.h"

#include <cstddef>
#include <string>
#include <vector>

// The most entries either list shows: the ids of each list form a range of this size.
const size_t kMaxMenuListEntries = 1000;

// The fixed commands of the menu (not the list entries), in menu order.
const std::vector<int>& GetMenuCommandIds();
// Whether id is a fixed command or lies in the id range of either list.
bool IsMainMenuCommand(int id);

// Whether the command can run. A recent entry needs its index inside the recent list, an
// open-projects entry its index inside the open projects; ids that are no command of the
// menu give false. The availability of a command's dialog is not looked at here.
bool IsMenuCommandEnabled(int id, const SMenuFacts& facts);
// Whether the item carries a check mark: the shown period kind, the running display and
// the always-on-top switch. The list entries are checked by their own rules.
bool IsMenuCommandChecked(int id, const SMenuFacts& facts);
// The dialog that the command opens; false for a command that opens none.
bool GetMenuCommandDialog(int id, EDialogKind& kind);

// The mnemonic of the list entry at index (from 0): '1' to '9', then 'a' to 'z', then a
// blank.
char GetMenuListKey(size_t index);
// "&<key> - <name> (<path>)". Ampersands of name and path show as they are.
std::string MakeRecentProjectLabel(size_t index, const std::string& name, const std::string& path);
// "&<key> - <name>", then " *" when modified and a tab with "(<workingWord>)" when working.
std::string MakeOpenProjectLabel(size_t index, const std::string& name, bool modified, bool working,
                                 const std::string& workingWord);
