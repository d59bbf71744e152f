#pragma once

// CResizableDialogWindow: a dialog that the user may resize, within a minimum and a
// maximum size, and whose controls follow the size by anchors.
//
//   const SItemAnchor kAnchors[] = {
//       {IDC_LIST, 1, 0, 1, 0},  // grows with the window
//       {IDOK, 0, 1, 0, 1},      // stays at the bottom-right corner
//   };
//   bool CTracesDlg::OnDialogInitialize(CDialogInitializeEvent&) {
//       AnchorItems(GetHwnd(), kAnchors);
//       ...
//
// Usage notes:
// - Anchors are made in the dialog's initialisation, so the recorded rectangles are
//   those of the laid-out template. A control may be anchored to a control that holds
//   others (a container); the dialog arranges such a container itself, with
//   ArrangeControls, after it resized it. Containers are not arranged recursively.
// - The limits default to the initial size (minimum) and no maximum; (-1, -1) given to
//   a setter stands for the initial size, 0x7fff in a direction for "no maximum". They
//   may be set before or after creation.
// - WM_SIZING and the restored and maximised WM_SIZE are handled here and never reach
//   the message slots; every other WM_SIZE (a minimised window above all) does.

#include "library/dialogs/CDialogWindow.h"
#include "library/dialogs/SItemAnchor.h"

#include <cstddef>
#include <map>

class CResizableDialogWindow : public CDialogWindow {
public:
    static const int32_t kNoMaximum = 0x7fff;

    CResizableDialogWindow();
    ~CResizableDialogWindow() override;

    void SetMinimumSize(const SSize& size);
    void SetMaximumSize(const SSize& size);
    void SetSizeLimits(const SSize& minimum, const SSize& maximum);
    const SSize& GetMinimumSize() const { return m_minimumSize; }
    const SSize& GetMaximumSize() const { return m_maximumSize; }
    // (-1, -1) until the window was initialised.
    const SSize& GetInitialSize() const { return m_initialSize; }

    // Records the window's current rectangle unless it is recorded already.
    void RecordWindow(HWND window);
    // Factors in the order width, x, height, y.
    void AnchorControl(HWND container, HWND control, int widthFactor, int xFactor, int heightFactor,
                       int yFactor);
    void AnchorItem(HWND container, int itemId, int widthFactor, int xFactor, int heightFactor,
                    int yFactor);
    void AnchorItems(HWND container, const SItemAnchor* anchors, size_t count);
    template <size_t N> void AnchorItems(HWND container, const SItemAnchor (&anchors)[N]) {
        AnchorItems(container, anchors, N);
    }
    // Moves and sizes the controls anchored to container by its change from its recorded
    // size to newSize, which becomes its recorded size. Nothing for an unrecorded
    // container.
    void ArrangeControls(HWND container, const SSize& newSize);

protected:
    void OnInitDialog() override;
    bool OnSize(int sizeType) override;
    void OnSizeSet(const SSize& size) override;
    bool OnSizing(RECT* rect, int edge) override;

private:
    struct SRecord {
        int32_t width;
        int32_t height;
        int32_t x; // client coordinates of the dialog (for the dialog: unused)
        int32_t y;
    };
    struct SAnchor {
        HWND control;
        int32_t widthFactor;
        int32_t xFactor;
        int32_t heightFactor;
        int32_t yFactor;
    };

    SSize OrInitial(const SSize& size) const;

    SSize m_initialSize{-1, -1};
    SSize m_minimumSize{-1, -1};
    SSize m_maximumSize{kNoMaximum, kNoMaximum};
    std::map<HWND, SRecord> m_rects;
    std::multimap<HWND, SAnchor> m_anchors; // by container, in the order of anchoring
};
