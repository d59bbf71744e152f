#pragma once

// CTabControl: turns a tab control of a dialog into pages, each a child dialog made
// from its own template.
//
//   const int kPages[] = {IDD_PAGE_GENERAL, IDD_PAGE_VIEW};
//   m_tabs.CreatePages(GetHwnd(), GetDlgItem(GetHwnd(), IDC_TABS), modules, 2, kPages);
//   SSize grow = m_tabs.GetSizeIncrease();   // the dialog grows by as much
//   HWND edit = m_tabs.GetControl(IDC_NAME); // a control on any page
//
// Usage notes:
// - The pages lie over the tab control's display area, as children of the dialog; the
//   tab control is enlarged so that the largest page fits. Each tab shows its page's
//   caption.
// - Commands and notifications of page controls reach the dialog as its own (its
//   command and notification events); the dialog's answer goes back to the control.
// - A page template may be DIALOG or DIALOGEX; pages are always made child controls
//   of the dialog (WS_CHILD | DS_CONTROL), so Tab moves into them.

#include "library/dialogs/SSize.h"
#include "library/system/CResourceModule.h"
#include "library/windows/CSubclassedWindow.h"

#include <windows.h>

#include <map>
#include <vector>

class CTabControl : public CSubclassedWindow {
public:
    CTabControl();
    ~CTabControl() override;

    // Makes the pages of the templates, in tab order, from the resource module (its
    // primary module, then its fallback). False when a template was missing or not
    // usable; the pages that could be made work all the same.
    bool CreatePages(HWND dialog, HWND tab, const CResourceModule& resources, int count,
                     const int* templateIds);
    // Selects the tab and shows its page (hiding and disabling the page shown before).
    void SelectPage(int index);
    // The control with that id on a page (the earliest page that has one), or null.
    HWND GetControl(int id) const;
    // How much CreatePages enlarged the tab control.
    const SSize& GetSizeIncrease() const { return m_sizeIncrease; }
    int GetCurrentIndex() const { return m_currentIndex; }
    HWND GetCurrentPage() const { return m_currentPage; }
    int GetPageCount() const { return m_pageCount; }
    HWND GetPage(int index) const;

    void OnMessage(CMessage& message) override;

private:
    static INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
    // Makes one page; its template size (dialog units) is added to largest.
    HWND CreatePage(const CResourceModule& resources, int templateId, SSize& largest);
    void ShowSelectedPage(int showCommand);
    void FitPages(const SSize& largest);

    HWND m_dialog = nullptr;
    HWND m_tab = nullptr;
    int m_currentIndex = -1;
    HWND m_currentPage = nullptr;
    std::vector<HWND> m_pages;
    int m_pageCount = 0;
    SSize m_sizeIncrease;
    std::map<int, HWND> m_controls;
};
