#include "library/controls/CPopupMenuEntry.h"

#include <limits>

namespace {

UINT StateFlags(bool enabled, bool checked) {
    return (checked ? MF_CHECKED : 0u) | (enabled ? 0u : MF_GRAYED);
}

UINT SeparatorFlag(int32_t separatorKind) {
    switch (separatorKind) {
    case CPopupMenuEntry::kSeparator:
        return MF_SEPARATOR;
    case CPopupMenuEntry::kMenuBarBreak:
        return MF_MENUBARBREAK;
    case CPopupMenuEntry::kMenuBreak:
        return MF_MENUBREAK;
    default:
        return 0;
    }
}

} // namespace

CPopupMenuEntry::CPopupMenuEntry(bool ownsMenu) : m_ownsMenu(ownsMenu) {}

CPopupMenuEntry::~CPopupMenuEntry() {
    delete m_data;
    if (m_ownsMenu && m_menu != nullptr) {
        DestroyMenu(m_menu);
    }
}

CPopupMenuEntry* CPopupMenuEntry::Append(int32_t kind, const std::string& text, bool enabled,
                                         bool checked) {
    auto* entry = new CPopupMenuEntry(false);
    entry->m_kind = kind;
    entry->m_text = text;
    entry->m_enabled = enabled;
    entry->m_checked = checked;
    InsertChild(entry, std::numeric_limits<int32_t>::max());
    return entry;
}

CPopupMenuEntry* CPopupMenuEntry::AddItem(const std::string& text, SPopupMenuEntryData* data,
                                          bool enabled, bool checked) {
    CPopupMenuEntry* entry = Append(kCommand, text, enabled, checked);
    entry->m_data = data;
    return entry;
}

CPopupMenuEntry* CPopupMenuEntry::AddSubMenu(const std::string& text, bool enabled, bool checked) {
    return Append(kSubMenu, text, enabled, checked);
}

CPopupMenuEntry* CPopupMenuEntry::AddSeparator(int32_t separatorKind) {
    CPopupMenuEntry* entry = Append(kSeparatorOrBreak, std::string(), true, false);
    entry->m_separatorKind = separatorKind;
    return entry;
}

void CPopupMenuEntry::DestroyOwnMenu() {
    if (m_menu != nullptr) {
        DestroyMenu(m_menu);
        m_menu = nullptr;
    }
}

bool CPopupMenuEntry::Build(CommandTable& table) {
    // A menu built before (a second tracking) goes first; a root destroys its own.
    if (m_ownsMenu) {
        DestroyOwnMenu();
    }
    m_menu = CreatePopupMenu();
    if (m_menu == nullptr) {
        return false;
    }
    for (CPopupMenuEntry* child = GetFirstChild(); child != nullptr;
         child = child->GetNextSibling()) {
        bool appended = true;
        switch (child->m_kind) {
        case kSeparatorOrBreak:
            appended = AppendMenuA(m_menu, SeparatorFlag(child->m_separatorKind), 0, nullptr);
            break;
        case kSubMenu:
            if (!child->Build(table)) {
                appended = false;
                break;
            }
            appended = AppendMenuA(
                m_menu, MF_POPUP | MF_STRING | StateFlags(child->m_enabled, child->m_checked),
                reinterpret_cast<UINT_PTR>(child->m_menu), child->m_text.c_str());
            if (!appended) {
                // Not yet part of this menu: it would not go with it.
                child->DestroyOwnMenu();
            }
            break;
        case kCommand:
            appended =
                AppendMenuA(m_menu, MF_STRING | StateFlags(child->m_enabled, child->m_checked),
                            static_cast<UINT_PTR>(table.size()), child->m_text.c_str());
            if (appended) {
                table.push_back(child->m_data);
            }
            break;
        default:
            break;
        }
        if (!appended) {
            DestroyOwnMenu();
            return false;
        }
    }
    return true;
}

UINT CPopupMenuEntry::GetTrackFlags(int32_t horizontalAlignment, int32_t verticalAlignment,
                                    bool noNotify, bool returnCommand) {
    UINT flags = TPM_LEFTALIGN | TPM_RIGHTBUTTON;
    if (horizontalAlignment == 1) {
        flags = TPM_CENTERALIGN | TPM_RIGHTBUTTON;
    } else if (horizontalAlignment == 2) {
        flags = TPM_RIGHTALIGN | TPM_RIGHTBUTTON;
    }
    if (verticalAlignment == 1) {
        flags |= TPM_VCENTERALIGN;
    } else if (verticalAlignment == 2) {
        flags |= TPM_BOTTOMALIGN;
    }
    if (noNotify) {
        flags |= TPM_NONOTIFY;
    }
    if (returnCommand) {
        flags |= TPM_RETURNCMD;
    }
    return flags;
}

SPopupMenuEntryData* CPopupMenuEntry::Track(HWND owner, int x, int y, int32_t horizontalAlignment,
                                            int32_t verticalAlignment, bool noNotify,
                                            bool returnCommand, bool bringToForeground) {
    CommandTable table(1, nullptr);
    if (!Build(table)) {
        return nullptr;
    }
    if (bringToForeground) {
        SetForegroundWindow(owner);
    }
    const BOOL result = TrackPopupMenu(
        m_menu, GetTrackFlags(horizontalAlignment, verticalAlignment, noNotify, returnCommand), x,
        y, 0, owner, nullptr);
    if (bringToForeground) {
        // Lets the menu close when the user clicks elsewhere, next time as well.
        PostMessageA(owner, WM_NULL, 0, 0);
    }
    // Without returnCommand the answer is only success or failure, no command id.
    if (!returnCommand) {
        return nullptr;
    }
    const size_t id = LOWORD(static_cast<UINT>(result));
    return id < table.size() ? table[id] : nullptr;
}
