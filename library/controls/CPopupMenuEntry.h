#pragma once

// CPopupMenuEntry: a popup menu built as a tree of entries, shown and tracked in one
// call that returns the data object of the chosen command.
//
//   CPopupMenuEntry root(true);
//   root.AddItem("&Open", new SOpenCommand(project), true, false);
//   CPopupMenuEntry* recent = root.AddSubMenu("&Recent", true, false);
//   recent->AddItem(...);
//   root.AddSeparator(CPopupMenuEntry::kSeparator);
//   SPopupMenuEntryData* chosen = root.Track(owner, x, y, 2, 2, false, true, true);
//   // chosen is null when the menu was dismissed; it lives as long as the root
//
// Entries own their data objects and their children; the root (the one made with
// ownsMenu) destroys the built menu, with its submenus.

#include "library/controls/SPopupMenuEntryData.h"
#include "library/trees/CTreeNode.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class CPopupMenuEntry : public CTreeNode<CPopupMenuEntry> {
public:
    enum EKind : int32_t { kCommand = 0, kSeparatorOrBreak = 1, kSubMenu = 2 };
    enum ESeparatorKind : int32_t { kSeparator = 0, kMenuBarBreak = 1, kMenuBreak = 2 };
    // Entry 0 is null (no choice); command ids index it.
    using CommandTable = std::vector<SPopupMenuEntryData*>;

    explicit CPopupMenuEntry(bool ownsMenu);
    ~CPopupMenuEntry() override;

    // Each appends a new last child and returns it. AddItem takes over data.
    CPopupMenuEntry* AddItem(const std::string& text, SPopupMenuEntryData* data, bool enabled,
                             bool checked);
    CPopupMenuEntry* AddSubMenu(const std::string& text, bool enabled, bool checked);
    CPopupMenuEntry* AddSeparator(int32_t separatorKind);

    // Builds the menu of this entry's children (recursively) and appends the data of
    // each command to table, whose size before is the command's id. False, with no
    // menu left, when a menu could not be made.
    bool Build(CommandTable& table);
    // Shows the menu at (x, y) and returns the chosen command's data, or null.
    // horizontalAlignment 0/1/2: left/centre/right; verticalAlignment 1/2: centre/
    // bottom, else top. Without returnCommand the choice goes to owner as
    // WM_COMMAND and the answer is null.
    SPopupMenuEntryData* Track(HWND owner, int x, int y, int32_t horizontalAlignment,
                               int32_t verticalAlignment, bool noNotify, bool returnCommand,
                               bool bringToForeground);

    // The TrackPopupMenu flags of Track's arguments.
    static UINT GetTrackFlags(int32_t horizontalAlignment, int32_t verticalAlignment, bool noNotify,
                              bool returnCommand);

    HMENU GetMenu() const { return m_menu; }
    int32_t GetKind() const { return m_kind; }
    const std::string& GetText() const { return m_text; }
    SPopupMenuEntryData* GetData() const { return m_data; }
    int32_t GetSeparatorKind() const { return m_separatorKind; }
    bool IsEnabled() const { return m_enabled; }
    bool IsChecked() const { return m_checked; }

private:
    CPopupMenuEntry* Append(int32_t kind, const std::string& text, bool enabled, bool checked);
    void DestroyOwnMenu();

    HMENU m_menu = nullptr;
    bool m_ownsMenu;
    int32_t m_kind = kCommand;
    std::string m_text;
    SPopupMenuEntryData* m_data = nullptr;
    int32_t m_separatorKind = kSeparator;
    bool m_enabled = true;
    bool m_checked = false;
};
