#include "library/controls/CShellExecuteLink.h"

#include "library/controls/CLinkControl.h"

#include <shellapi.h>

bool CShellExecuteLink::OnLinkClicked(CLinkControl& link) {
    HINSTANCE result =
        ShellExecuteA(link.GetParentWindow(), "open", m_target.c_str(), "", "", SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}
