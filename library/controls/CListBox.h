#pragma once

// CListBox: a list box of a dialog with greyed, unselectable items and a horizontal
// scroll extent that follows the widest text.
//
//   CListBox list(true);                 // with disabled items
//   list.Attach(dialog, IDC_PROJECTS);
//   {
//       CTracker batch;
//       list.BeginAdding(batch);         // measures with one device context
//       list.AddString("Archive", 0, false);
//   }                                    // the extent is applied here, once
//
// Disabled items need a list box with the LBS_OWNERDRAWFIXED and LBS_HASSTRINGS
// styles (and LBS_NOTIFY, so that a selection of a disabled item can be undone);
// the wrapper then subclasses the dialog, which draws the items.

#include "library/controls/CTracker.h"
#include "library/controls/ITrackerCallback.h"
#include "library/windows/CSubclassedWindow.h"

#include <windows.h>

#include <cstdint>
#include <set>
#include <string>

class CListBox : public ITrackerCallback, public CSubclassedWindow {
public:
    explicit CListBox(bool disabledItemsSupported);
    ~CListBox() override;

    // False when the list box is missing or the dialog cannot be subclassed; the
    // wrapper is then unattached. A second attach leaves the first list box.
    bool Attach(HWND dialog, int controlId);
    bool Attach(HWND dialog, HWND listBox);
    bool Attach(HWND listBox);

    // The new item's index, or -1 when the list box refused the string. A disabled
    // item is greyed and cannot be selected (with disabled items supported).
    int32_t AddString(const std::string& text, LPARAM itemData, bool enabled = true);
    LPARAM GetItemData(int32_t index) const;
    int32_t GetCurSel() const;
    void SetCurSel(int32_t index);
    bool IsItemEnabled(int32_t index) const;
    HWND GetWindow() const { return m_listBox; }

    // Starts a batch: texts are measured with one device context, and the extent is
    // applied once when tracker lets go of this list box.
    void BeginAdding(CTracker& tracker);
    void OnTrackerRelease() override;

    void OnMessage(CMessage& message) override;

private:
    void Detach();
    // Gets a device context with the list box font selected; notes the average
    // character width.
    HDC OpenMeasuringContext(HGDIOBJ& formerFont);
    void CloseMeasuringContext(HDC dc, HGDIOBJ formerFont);
    void ApplyHorizontalExtent();
    void DrawItem(const DRAWITEMSTRUCT& item);
    bool MeasureItem(MEASUREITEMSTRUCT& item);

    bool m_disabledItemsSupported;
    std::set<int32_t> m_disabledItems;
    HWND m_listBox = nullptr;
    HWND m_dialog = nullptr;
    int m_controlId = 0;
    LONG m_widestText = 0;
    HDC m_batchDC = nullptr;
    HGDIOBJ m_batchFormerFont = nullptr;
    LONG m_averageCharWidth = 0;
    CTracker* m_tracker = nullptr;
};
