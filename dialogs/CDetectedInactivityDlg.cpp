#include "dialogs/CDetectedInactivityDlg.h"

#include "app/main/CAppMain.h"
#include "app/ui/ButtonControls.h"
#include "app/ui/DialogCloseAndHelp.h"
#include "app/ui/DialogPlacement.h"
#include "library/datetime/CDateTimeFormat.h"
#include "library/datetime/CDateTimeSpan.h"
#include "library/text/CText.h"
#include "mainwindow/CDialogLauncher.h"
#include "model/ActivityBooking.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CTallymark.h"
#include "model/CTallymarks.h"
#include "model/SClockReading.h"
#include "resources/ResourceIds.h"

#include <algorithm>
#include <cmath>

namespace {

const UINT kRefreshMs = 1000;
const double kMsPerDay = 86400000.0;

// The texts widen with the dialog; the buttons keep to its lower right corner.
const SItemAnchor kAnchors[] = {
    {IDC_INACTIVITY_LAST_ACTIVE, 1, 0, 0, 0},
    {IDC_INACTIVITY_PERIOD, 1, 0, 0, 0},
    {IDC_INACTIVITY_PROJECT, 1, 0, 0, 0},
    {IDC_INACTIVITY_ACTIVITY, 1, 0, 0, 0},
    {IDC_INACTIVITY_INCLUDE_ACTIVITY, 1, 0, 0, 0},
    {IDC_INACTIVITY_CONTINUE_ACTIVITY, 1, 0, 0, 0},
    {IDC_INACTIVITY_OK, 0, 1, 0, 1},
    {IDCANCEL, 0, 1, 0, 1},
};

bool IsChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

} // namespace

const SDialogIdentity CDetectedInactivityDlg::kIdentity = {IDD_DETECTED_INACTIVITY, true,
                                                           EPlacementSlot::DetectedInactivity,
                                                           IDS_HELP_DETECTED_INACTIVITY_WINDOW};

CDetectedInactivityDlg::CDetectedInactivityDlg(const SClockReading& inactivityStart,
                                               CProject& project)
    : m_inactivityStart(inactivityStart), m_inactivityStartLocal(inactivityStart.time.UtcToLocal()),
      m_project(&project), m_state(project.GetState(false)) {
    if (const CTallymark* running = m_state->GetCurrentTallymark()) {
        m_runningStart = running->GetStart();
        m_runningPath = running->GetActivity()->GetPath();
    }
    CSlot<CDialogMessageEvent>::Connect(this);
    CSlot<CDialogCommandEvent>::Connect(this);
    CSlot<CDialogInitializeEvent>::Connect(this);
    CSlot<CDialogTerminateEvent>::Connect(this);
    CSlot<CProjectStateSwitchedEvent>::Connect(m_project);
    m_closeWatch.Watch(m_project);
}

CDetectedInactivityDlg::~CDetectedInactivityDlg() {
    Detach();
    CSlot<CDialogMessageEvent>::DisconnectAll();
    CSlot<CDialogCommandEvent>::DisconnectAll();
    CSlot<CDialogInitializeEvent>::DisconnectAll();
    CSlot<CDialogTerminateEvent>::DisconnectAll();
}

void CDetectedInactivityDlg::Detach() {
    m_timer.Stop();
    CSlot<CTimerWentOffEvent>::DisconnectAll();
    CSlot<CProjectStateSwitchedEvent>::DisconnectAll();
    m_include.SetProject(nullptr, nullptr);
    m_continue.SetProject(nullptr, nullptr);
}

bool CDetectedInactivityDlg::OnDialogInitialize(CDialogInitializeEvent&) {
    HWND window = GetHwnd();
    SetDialogIcons(window);
    SetMaximumSize(SSize{kNoMaximum, GetSize(true).height});
    AnchorItems(window, kAnchors);
    RestoreDialogRectWidthOnly(*this, kIdentity.slot);
    SetDlgItemTextA(window, IDC_INACTIVITY_PROJECT, m_state->GetName().c_str());
    CActivity* current = m_state->GetCurrentActivity();
    SetDlgItemTextA(window, IDC_INACTIVITY_ACTIVITY,
                    current != nullptr ? current->GetPath().c_str() : "");
    m_include.Attach(window, IDC_INACTIVITY_INCLUDE_ACTIVITY);
    m_include.SetProject(m_project, m_state);
    m_include.SetActivity(current);
    m_continue.Attach(window, IDC_INACTIVITY_CONTINUE_ACTIVITY);
    m_continue.SetProject(m_project, m_state);
    m_continue.SetActivity(current);
    CSlot<CTimerWentOffEvent>::Connect(&m_timer);
    m_timer.SetWindow(window);
    m_timer.Start(kRefreshMs);
    RefreshTexts();
    PostponeWhileEdited();
    return true;
}

void CDetectedInactivityDlg::RefreshTexts() {
    HWND window = GetHwnd();
    const CDateTime nowLocal = CDateTime::Now(false);
    const bool today =
        std::floor(m_inactivityStartLocal.GetValue()) == std::floor(nowLocal.GetValue());
    if (!m_lastActiveShown || (m_lastActiveShownAsToday && !today)) {
        const CDateTimeFormat& formats = CDateTimeFormat::Instance();
        const std::string text =
            today ? m_inactivityStartLocal.FormatTime(formats.GetTimeOfDayFormat())
                  : m_inactivityStartLocal.FormatDateTime(formats.GetWeekdayDateFormat(),
                                                          formats.GetTimeOfDayFormat());
        SetDlgItemTextA(window, IDC_INACTIVITY_LAST_ACTIVE, text.c_str());
        m_lastActiveShown = true;
        m_lastActiveShownAsToday = today;
    }
    // Counted as the booking counts it, so that a clock set while the dialog is up changes
    // nothing.
    const SClockReading now = SClockReading::Take();
    const CDateTimeSpan inactive = now.time - FindInactivityStart(now.time, now);
    SetDlgItemTextA(window, IDC_INACTIVITY_PERIOD, inactive.FormatHMS(3).c_str());
}

bool CDetectedInactivityDlg::PostponeWhileEdited() {
    if (m_project == nullptr || CProjects::CanChangeWork(m_project)) {
        return false;
    }
    m_postponed = true;
    Close();
    return true;
}

CActivity* CDetectedInactivityDlg::GetValidActivity(const CActivityComboBox& comboBox,
                                                    int noActivityMessage,
                                                    int invalidActivityMessage) {
    CActivity* activity = comboBox.GetActivity();
    const EActivityChoice choice = CheckActivityChoice(activity);
    if (choice == EActivityChoice::None) {
        MessageBoxA(GetHwnd(), CText(noActivityMessage), CText(IDS_NO_ACTIVITY_CAPTION),
                    MB_OK | MB_ICONWARNING);
        return nullptr;
    }
    if (choice == EActivityChoice::NotBookable) {
        MessageBoxA(GetHwnd(), CText(invalidActivityMessage), CText(IDS_INVALID_ACTIVITY_CAPTION),
                    MB_OK | MB_ICONWARNING);
        return nullptr;
    }
    return activity;
}

bool CDetectedInactivityDlg::Book() {
    HWND window = GetHwnd();
    CActivity* include = nullptr;
    CActivity* continued = nullptr;
    const bool including = IsChecked(window, IDC_INACTIVITY_INCLUDE);
    const bool continuing = IsChecked(window, IDC_INACTIVITY_CONTINUE);
    bool valid = true;
    if (including) {
        include = GetValidActivity(m_include, IDS_INACTIVITY_INCLUDE_NONE,
                                   IDS_INACTIVITY_INCLUDE_DISABLED);
        valid = include != nullptr;
    }
    if (continuing) {
        continued = GetValidActivity(m_continue, IDS_INACTIVITY_CONTINUE_NONE,
                                     IDS_INACTIVITY_CONTINUE_DISABLED);
        valid = valid && continued != nullptr;
    }
    if (!valid || m_project == nullptr) {
        return false;
    }
    if (PostponeWhileEdited()) {
        return false;
    }
    CProjectState* state = m_project->GetState(false);
    CTallymark* running = state->GetCurrentTallymark();
    if (running == nullptr || running->GetStart() != m_runningStart ||
        running->GetActivity()->GetPath() != m_runningPath) {
        return true;
    }
    // Choices of a state that is no longer the project's book nothing.
    if ((include != nullptr && include->GetProjectState() != state) ||
        (continued != nullptr && continued->GetProjectState() != state)) {
        return true;
    }
    // The running tally mark ends now by the one rule for every end of work (a clock set
    // meanwhile counts the time that really passed); the inactivity lies within it. What
    // continues starts at the same reading of the clock: where the last ended, unless the
    // clock was set.
    const SClockReading now = SClockReading::Take();
    const STallymarkEndNow endNow = running->FindEndNow(now);
    if (!endNow.Ends()) {
        running->ReportEndNow(endNow);
        return true;
    }
    const CDateTime end = endNow.end;
    const CDateTime start =
        std::min(std::max(FindInactivityStart(end, now), running->GetStart()), end);
    CActivity* worked = running->GetActivity();
    // Whether something ends at the end found now, which the user hears of when the clock
    // decided it.
    bool endsNow = start == end;
    if (!including) {
        running->SetEnd(start);
        if (continuing) {
            continued->StartTallymark(now);
        }
    } else if (include == worked) {
        endsNow = !continuing || continued != include;
        if (endsNow) {
            running->SetEnd(end);
        }
        if (continuing && continued != include) {
            continued->StartTallymark(now);
        }
    } else {
        running->SetEnd(start);
        if (continuing && continued == include) {
            // The inactive time and what follows are one piece of work on the include
            // activity, seen running at the end found now.
            CTallymark* piece = new CTallymark(include, start);
            piece->MarkRunningAt(SClockReading{end, now.ticks});
            include->GetTallymarks().Add(piece);
        } else {
            include->GetTallymarks().Add(new CTallymark(include, start, end));
            endsNow = true;
            if (continuing) {
                continued->StartTallymark(now);
            }
        }
    }
    if (endsNow) {
        running->ReportEndNow(endNow);
    }
    m_booked = true;
    return true;
}

CDateTime CDetectedInactivityDlg::FindInactivityStart(const CDateTime& end,
                                                      const SClockReading& now) const {
    if (m_inactivityStart.ticks == 0 || now.ticks < m_inactivityStart.ticks) {
        // How long it lasted is not known: as the clock showed it.
        return m_inactivityStart.time;
    }
    const CDateTime start =
        end - CDateTimeSpan(static_cast<double>(now.ticks - m_inactivityStart.ticks) / kMsPerDay);
    // Where nobody set the clock the two agree but for its resolution of a second: the last
    // input as the dialog shows it.
    const double kAgreeDays = 2.0 / 86400.0;
    if (std::fabs((start - m_inactivityStart.time).GetValue()) < kAgreeDays) {
        return m_inactivityStart.time;
    }
    return start;
}

bool CDetectedInactivityDlg::OnTimerWentOff(CTimerWentOffEvent&) {
    if (!PostponeWhileEdited()) {
        RefreshTexts();
    }
    return true;
}

bool CDetectedInactivityDlg::OnDialogMessage(CDialogMessageEvent& event) {
    return AnswerCloseAndHelp(*this, event, kIdentity.helpTopic);
}

bool CDetectedInactivityDlg::OnDialogCommand(CDialogCommandEvent& event) {
    switch (event.controlId) {
    case IDCANCEL:
        if (event.notificationCode == BN_CLICKED) {
            Close();
        }
        return true;
    case IDC_INACTIVITY_OK:
        if (event.notificationCode == BN_CLICKED && Book()) {
            Close();
        }
        return true;
    default:
        return false;
    }
}

bool CDetectedInactivityDlg::OnDialogTerminate(CDialogTerminateEvent& event) {
    m_timer.Stop();
    StoreDialogRect(*this, kIdentity.slot);
    event.exitCode = m_postponed ? CDialogLauncher::kInactivityPostponed : 0;
    return true;
}

bool CDetectedInactivityDlg::OnProjectStateSwitched(CProjectStateSwitchedEvent& event) {
    // An edit committed under the dialog (it began between two ticks): its choices named
    // activities of a state that goes now. (The choosers rebind themselves.)
    if (event.oldState == m_state) {
        m_state = event.newState;
    }
    if (GetHwnd() != nullptr && !m_postponed) {
        m_postponed = true;
        Close();
    }
    return true;
}

void CDetectedInactivityDlg::OnProjectClosed() {
    // The project and its states go right after this event.
    Detach();
    m_project = nullptr;
    m_state = nullptr;
    Close();
}
