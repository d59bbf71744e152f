#include "library/dialogs/CResizableDialogWindow.h"

namespace {

const SSize kInitialSizeMarker{-1, -1};
const UINT kArrangeFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS;

// The edge that moves while the user drags edge: the right one (else the left one)
// and the bottom one (else the top one).
bool MovesRight(int edge) {
    return edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
}

bool MovesBottom(int edge) {
    return edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
}

void SetExtent(LONG& low, LONG& high, bool highMoves, int32_t extent) {
    if (highMoves) {
        high = low + extent;
    } else {
        low = high - extent;
    }
}

} // namespace

CResizableDialogWindow::CResizableDialogWindow() = default;

CResizableDialogWindow::~CResizableDialogWindow() = default;

SSize CResizableDialogWindow::OrInitial(const SSize& size) const {
    return size == kInitialSizeMarker ? m_initialSize : size;
}

void CResizableDialogWindow::SetMinimumSize(const SSize& size) {
    m_minimumSize = OrInitial(size);
}

void CResizableDialogWindow::SetMaximumSize(const SSize& size) {
    m_maximumSize = OrInitial(size);
}

void CResizableDialogWindow::SetSizeLimits(const SSize& minimum, const SSize& maximum) {
    SetMinimumSize(minimum);
    SetMaximumSize(maximum);
}

void CResizableDialogWindow::RecordWindow(HWND window) {
    if (window == nullptr || m_rects.count(window) != 0) {
        return;
    }
    RECT rect;
    if (!GetWindowRect(window, &rect)) {
        return;
    }
    POINT corner{rect.left, rect.top};
    if (window != GetHwnd()) {
        ScreenToClient(GetHwnd(), &corner);
    }
    m_rects[window] = SRecord{rect.right - rect.left, rect.bottom - rect.top, corner.x, corner.y};
}

void CResizableDialogWindow::AnchorControl(HWND container, HWND control, int widthFactor,
                                           int xFactor, int heightFactor, int yFactor) {
    RecordWindow(container);
    RecordWindow(control);
    m_anchors.emplace(container, SAnchor{control, widthFactor, xFactor, heightFactor, yFactor});
}

void CResizableDialogWindow::AnchorItem(HWND container, int itemId, int widthFactor, int xFactor,
                                        int heightFactor, int yFactor) {
    AnchorControl(container, GetDlgItem(GetHwnd(), itemId), widthFactor, xFactor, heightFactor,
                  yFactor);
}

void CResizableDialogWindow::AnchorItems(HWND container, const SItemAnchor* anchors, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const SItemAnchor& anchor = anchors[i];
        AnchorItem(container, anchor.itemId, anchor.widthFactor, anchor.xFactor,
                   anchor.heightFactor, anchor.yFactor);
    }
}

// Each control keeps a running record, so it always stands at its anchored rectangle
// plus the factors times the container's whole change.
void CResizableDialogWindow::ArrangeControls(HWND container, const SSize& newSize) {
    const auto found = m_rects.find(container);
    if (found == m_rects.end()) {
        return;
    }
    const int32_t dx = newSize.width - found->second.width;
    const int32_t dy = newSize.height - found->second.height;
    found->second.width = newSize.width;
    found->second.height = newSize.height;

    const auto anchors = m_anchors.equal_range(container);
    for (auto it = anchors.first; it != anchors.second; ++it) {
        const SAnchor& anchor = it->second;
        const auto control = m_rects.find(anchor.control);
        if (control == m_rects.end()) {
            continue;
        }
        SRecord& record = control->second;
        const int32_t growX = dx * anchor.widthFactor;
        const int32_t growY = dy * anchor.heightFactor;
        const int32_t moveX = dx * anchor.xFactor;
        const int32_t moveY = dy * anchor.yFactor;
        record.width += growX;
        record.height += growY;
        record.x += moveX;
        record.y += moveY;
        if (growX != 0 || growY != 0) {
            SetWindowPos(anchor.control, nullptr, 0, 0, record.width, record.height,
                         kArrangeFlags | SWP_NOMOVE);
        }
        if (moveX != 0 || moveY != 0) {
            SetWindowPos(anchor.control, nullptr, record.x, record.y, 0, 0,
                         kArrangeFlags | SWP_NOSIZE);
        }
    }
}

void CResizableDialogWindow::OnInitDialog() {
    m_initialSize = GetSize(true);
    if (m_minimumSize == kInitialSizeMarker) {
        m_minimumSize = m_initialSize;
    }
    if (m_maximumSize == kInitialSizeMarker) {
        m_maximumSize = m_initialSize;
    }
}

// A maximised window is laid out at the size it has now, not at its restored size. Only a
// size that was laid out here counts as handled: the others (minimised above all) go on to
// the message slots, so that a window may act on being minimised however that came about
// (the title bar, the taskbar, another program).
bool CResizableDialogWindow::OnSize(int sizeType) {
    if (sizeType == SIZE_RESTORED || sizeType == SIZE_MAXIMIZED) {
        ArrangeControls(GetHwnd(), GetSize(false));
        return true;
    }
    return false;
}

void CResizableDialogWindow::OnSizeSet(const SSize& size) {
    ArrangeControls(GetHwnd(), size);
}

bool CResizableDialogWindow::OnSizing(RECT* rect, int edge) {
    if (rect == nullptr) {
        return true;
    }
    const bool right = MovesRight(edge);
    const bool bottom = MovesBottom(edge);
    if (rect->right - rect->left < m_minimumSize.width) {
        SetExtent(rect->left, rect->right, right, m_minimumSize.width);
    }
    if (m_maximumSize.width != kNoMaximum && rect->right - rect->left > m_maximumSize.width) {
        SetExtent(rect->left, rect->right, right, m_maximumSize.width);
    }
    if (rect->bottom - rect->top < m_minimumSize.height) {
        SetExtent(rect->top, rect->bottom, bottom, m_minimumSize.height);
    }
    if (m_maximumSize.height != kNoMaximum && rect->bottom - rect->top > m_maximumSize.height) {
        SetExtent(rect->top, rect->bottom, bottom, m_maximumSize.height);
    }
    ArrangeControls(GetHwnd(), SSize{rect->right - rect->left, rect->bottom - rect->top});
    return true;
}
