#include "library/dialogs/CTabControl.h"

#include "library/windows/VisualStyles.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace {

const DWORD kEnableTabTexture = 6; // ETDT_ENABLETAB
const size_t kStandardHeaderBytes = 18;
const size_t kExtendedHeaderBytes = 26;

// A page template made into a child control: a copy (DWORD-aligned, as the dialog
// manager wants it) with the style set for a page, and the template's size in dialog
// units. windres writes DIALOGEX as DLGTEMPLATEEX (version 1, signature 0xFFFF), where
// style and size lie elsewhere than in DLGTEMPLATE.
bool PreparePageTemplate(const uint8_t* data, size_t size, std::vector<DWORD>& copy,
                         SSize& dialogUnits) {
    const auto word = [data](size_t index) {
        uint16_t value;
        std::memcpy(&value, data + 2 * index, sizeof(value));
        return value;
    };
    const bool extended = size >= 4 && word(0) == 1 && word(1) == 0xFFFF;
    if (size < (extended ? kExtendedHeaderBytes : kStandardHeaderBytes)) {
        return false;
    }
    const size_t styleOffset = extended ? 12 : 0;
    const size_t sizeWord = extended ? 11 : 7;
    dialogUnits =
        SSize{static_cast<int16_t>(word(sizeWord)), static_cast<int16_t>(word(sizeWord + 1))};

    copy.assign((size + sizeof(DWORD) - 1) / sizeof(DWORD), 0);
    std::memcpy(copy.data(), data, size);
    uint8_t* bytes = reinterpret_cast<uint8_t*>(copy.data());
    DWORD style;
    std::memcpy(&style, bytes + styleOffset, sizeof(style));
    style &= ~static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE |
                                 DS_MODALFRAME);
    style |= WS_CHILD | DS_CONTROL;
    std::memcpy(bytes + styleOffset, &style, sizeof(style));
    return true;
}

} // namespace

CTabControl::CTabControl() = default;

CTabControl::~CTabControl() {
    for (HWND page : m_pages) {
        if (IsWindow(page)) {
            DestroyWindow(page);
        }
    }
}

bool CTabControl::CreatePages(HWND dialog, HWND tab, const CResourceModule& resources, int count,
                              const int* templateIds) {
    m_dialog = dialog;
    m_tab = tab;
    Subclass(dialog);
    m_pageCount = 0;
    // Tabs and pages overlap: the tab control must not paint over the pages.
    SetWindowLongPtrA(tab, GWL_STYLE, GetWindowLongPtrA(tab, GWL_STYLE) | WS_CLIPSIBLINGS);
    bool allFound = true;
    SSize largest;
    for (int i = 0; i < count && templateIds != nullptr; ++i) {
        HWND page = CreatePage(resources, templateIds[i], largest);
        if (page == nullptr) {
            allFound = false;
            continue;
        }
        char caption[257] = {};
        GetWindowTextA(page, caption, sizeof(caption) - 1);
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = caption;
        SendMessageA(tab, TCM_INSERTITEMA, static_cast<WPARAM>(m_pageCount),
                     reinterpret_cast<LPARAM>(&item));
        ++m_pageCount;
    }
    FitPages(largest);
    ShowSelectedPage(SW_SHOW);
    return allFound;
}

HWND CTabControl::CreatePage(const CResourceModule& resources, int templateId, SSize& largest) {
    SResourceBytes resource;
    std::vector<DWORD> pageTemplate;
    SSize units;
    if (!resources.Find(static_cast<unsigned int>(templateId), RT_DIALOG, resource) ||
        !PreparePageTemplate(resource.data, resource.size, pageTemplate, units)) {
        return nullptr;
    }
    HWND page = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                           reinterpret_cast<LPCDLGTEMPLATEA>(pageTemplate.data()),
                                           m_dialog, &PageProc, 0);
    if (page == nullptr) {
        return nullptr;
    }
    m_pages.push_back(page);
    // Direct children only: a combo box's own edit (id 1001) is no control of the page.
    for (HWND child = GetWindow(page, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        m_controls.emplace(GetDlgCtrlID(child), child);
    }
    ShowWindow(page, SW_HIDE);
    EnableWindow(page, FALSE);
    SetWindowLongPtrA(page, GWL_STYLE, GetWindowLongPtrA(page, GWL_STYLE) & ~WS_BORDER);
    if (QueryAppThemed()) {
        EnableDialogTexture(page, kEnableTabTexture);
    }
    largest.width = std::max(largest.width, units.width);
    largest.height = std::max(largest.height, units.height);
    return page;
}

// The tab control grows (never shrinks) to show the largest page in its display area;
// the pages go inside its border, below the tabs.
void CTabControl::FitPages(const SSize& largest) {
    RECT area = {0, 0, largest.width, largest.height};
    MapDialogRect(m_dialog, &area);
    SendMessageA(m_tab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&area));
    RECT tabRect = {0, 0, 0, 0};
    GetWindowRect(m_tab, &tabRect);
    const int width = tabRect.right - tabRect.left;
    const int height = tabRect.bottom - tabRect.top;
    const int newWidth = std::max(static_cast<int>(area.right - area.left), width);
    const int newHeight = std::max(static_cast<int>(area.bottom - area.top), height);
    SetWindowPos(m_tab, nullptr, 0, 0, newWidth, newHeight, SWP_NOMOVE | SWP_NOZORDER);
    m_sizeIncrease = SSize{newWidth - width, newHeight - height};

    POINT corner{tabRect.left - area.left, tabRect.top - area.top};
    ScreenToClient(m_dialog, &corner);
    // Above the tab control, which leaves them alone when it paints.
    for (HWND page : m_pages) {
        SetWindowPos(page, HWND_TOP, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void CTabControl::SelectPage(int index) {
    SendMessageA(m_tab, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    ShowSelectedPage(SW_SHOW);
}

void CTabControl::ShowSelectedPage(int showCommand) {
    const int index = static_cast<int>(SendMessageA(m_tab, TCM_GETCURSEL, 0, 0));
    if (index == m_currentIndex || index < 0 || index >= static_cast<int>(m_pages.size())) {
        return;
    }
    if (m_currentPage != nullptr) {
        ShowWindow(m_currentPage, SW_HIDE);
        EnableWindow(m_currentPage, FALSE);
    }
    m_currentIndex = index;
    m_currentPage = m_pages[static_cast<size_t>(index)];
    ShowWindow(m_currentPage, showCommand);
    EnableWindow(m_currentPage, TRUE);
}

HWND CTabControl::GetControl(int id) const {
    const auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

HWND CTabControl::GetPage(int index) const {
    return index >= 0 && index < static_cast<int>(m_pages.size())
               ? m_pages[static_cast<size_t>(index)]
               : nullptr;
}

void CTabControl::OnMessage(CMessage& message) {
    if (message.message == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(message.lParam);
        if (header != nullptr && header->hwndFrom == m_tab &&
            header->code == static_cast<UINT>(TCN_SELCHANGE)) {
            ShowSelectedPage(SW_SHOWNA);
            SetFocus(m_tab);
        }
    } else if (message.message == WM_NCDESTROY) {
        // The pages went with the dialog; their handles may be given to other windows.
        m_pages.clear();
        m_controls.clear();
        m_currentPage = nullptr;
        m_currentIndex = -1;
    }
}

// Page controls report to the dialog; the dialog's answer is the page's own answer,
// given through the page's DWLP_MSGRESULT.
INT_PTR CALLBACK CTabControl::PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_NOTIFY && message != WM_COMMAND) {
        return FALSE;
    }
    const LRESULT answer = SendMessageA(GetParent(page), message, wParam, lParam);
    SetWindowLongPtrA(page, DWLP_MSGRESULT, answer);
    return TRUE;
}
