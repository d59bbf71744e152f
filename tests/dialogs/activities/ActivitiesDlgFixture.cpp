#include "ActivitiesDlgFixture.h"

#include "app/ui/SharedPictures.h"
#include "harness/UiControls.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CTallymark.h"
#include "model/EProjectFileFormat.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>

#include <functional>

namespace activitiestest {

namespace {

const int kButtons[] = {IDC_ACTIVITIES_NEW,       IDC_ACTIVITIES_RENAME,
                        IDC_ACTIVITIES_REMOVE,    IDC_ACTIVITIES_MOVE_UP,
                        IDC_ACTIVITIES_MOVE_DOWN, IDC_ACTIVITIES_INDENT,
                        IDC_ACTIVITIES_OUTDENT,   IDC_ACTIVITIES_ENABLE,
                        IDC_ACTIVITIES_SORT,      IDC_ACTIVITIES_REMOVE_UNUSED};

} // namespace

void CActivitiesDlgFixture::SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    LoadIconsAndImageLists(GetModuleHandleA(nullptr));
}

CActivitiesDlgFixture::CActivitiesDlgFixture() {
    SAppOptions options;
    options.programFolder = m_folder.Path();
    options.mutexName.clear();
    m_app = std::make_unique<CAppMain>(options);
}

CActivitiesDlgFixture::~CActivitiesDlgFixture() {
    m_app.reset();
}

CProject* CActivitiesDlgFixture::OpenFixture(std::initializer_list<const char*> lines) {
    {
        CProject project;
        CProjectState* state = project.GetState(true);
        state->SetName("Fixture");
        CActivity* root = state->GetRootActivity();
        std::vector<CActivity*> parents = {root};
        for (std::string line : lines) {
            const size_t depth = line.find_first_not_of(' ');
            const bool used = line.back() == '*';
            const std::string name = line.substr(depth, line.size() - depth - (used ? 1 : 0));
            CActivity* activity = new CActivity(state, name, true);
            parents.resize(depth + 1);
            parents[depth]->AddChildActivity(activity, -1);
            parents.push_back(activity);
            if (used) {
                activity->GetTallymarks().Add(
                    new CTallymark(activity, CDateTime(45000.25), CDateTime(45000.5)));
            }
        }
        EXPECT_TRUE(project.Save(false, nullptr, m_folder.File("fixture.wkp").c_str(), pffBinary));
    }
    m_original = m_folder.Read("fixture.wkp");
    EXPECT_NE(m_original, "<missing>");
    CProject* project = m_app->GetProjects().OpenPath(m_folder.File("fixture.wkp"),
                                                      CProjects::kOpenAndSwitch, true);
    EXPECT_NE(project, nullptr);
    return project;
}

int CActivitiesDlgFixture::RunDialog(harness::CUiScript& script, CProject* project) {
    CActivitiesDlg dialog(project);
    SDialogParams params;
    params.dialogId = IDD_ACTIVITIES;
    params.instance = params.fallbackInstance = GetModuleHandleA(nullptr);
    params.sizeGrip = true;
    int exitCode = -2;
    m_dialog = &dialog;
    script.Run([&] { exitCode = dialog.Create(params); });
    m_dialog = nullptr;
    return exitCode;
}

std::string CActivitiesDlgFixture::SaveCopyAndClose(CProject* project) {
    EXPECT_TRUE(project->Save(false, project->GetState(false), m_folder.File("copy.wkp").c_str(),
                              pffBinary));
    EXPECT_TRUE(m_app->GetProjects().Close(project, true));
    const std::string bytes = m_folder.Read("copy.wkp");
    EXPECT_NE(bytes, "<missing>");
    return bytes;
}

HWND CActivitiesDlgFixture::Dlg() const {
    return m_dialog != nullptr ? m_dialog->GetHwnd() : nullptr;
}

HWND CActivitiesDlgFixture::List() const {
    return GetDlgItem(Dlg(), IDC_ACTIVITIES_LIST);
}

std::vector<std::string> CActivitiesDlgFixture::Rows() const {
    std::vector<std::string> rows;
    for (int row = 0; row < harness::GetListRowCount(Dlg(), IDC_ACTIVITIES_LIST); ++row) {
        char text[64] = {};
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_INDENT;
        item.iItem = row;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        SendMessageA(List(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        rows.push_back(std::string(static_cast<size_t>(item.iIndent), ' ') + text);
    }
    return rows;
}

std::vector<std::string> CActivitiesDlgFixture::TreeRows(CProjectState* state) {
    std::vector<std::string> rows;
    std::function<void(const CActivity*)> walk = [&](const CActivity* parent) {
        for (const CActivity* a = parent->GetFirstChild(); a; a = a->GetNextSibling()) {
            rows.push_back(std::string(static_cast<size_t>(a->GetDepth() - 1), ' ') + a->GetName());
            walk(a);
        }
    };
    walk(state->GetRootActivity());
    return rows;
}

CActivity* CActivitiesDlgFixture::Find(const std::string& name) const {
    CActivity* root = m_dialog->GetEditState()->GetRootActivity();
    for (CActivity* a = root->GetNextInSubtree(root); a; a = a->GetNextInSubtree(root)) {
        if (a->GetName() == name) {
            return a;
        }
    }
    ADD_FAILURE() << "no activity " << name;
    return nullptr;
}

std::vector<int> CActivitiesDlgFixture::EnabledButtons() const {
    std::vector<int> enabled;
    for (int id : kButtons) {
        if (harness::IsItemEnabled(Dlg(), id)) {
            enabled.push_back(id);
        }
    }
    return enabled;
}

void CActivitiesDlgFixture::SelectName(const std::string& name) const {
    const int row = m_dialog->GetActivityList().FindRow(Find(name));
    ASSERT_GE(row, 0) << name;
    harness::SelectListRow(Dlg(), IDC_ACTIVITIES_LIST, row);
}

void CActivitiesDlgFixture::Key(WORD key, bool control) const {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    const BYTE before = keys[VK_CONTROL];
    keys[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(keys);
    SendMessageA(List(), WM_KEYDOWN, key, 0);
    keys[VK_CONTROL] = before;
    SetKeyboardState(keys);
}

void CActivitiesDlgFixture::FinishEdit(const std::string& name) const {
    HWND edit = reinterpret_cast<HWND>(SendMessageA(List(), LVM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(edit, nullptr) << "no name is being edited";
    SetWindowTextA(edit, name.c_str());
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
}

} // namespace activitiestest
