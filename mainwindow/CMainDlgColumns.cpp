// CMainDlg: the activity list's time columns: their periods, titles and totals.

#include "mainwindow/CMainDlg.h"

#include "app/main/CAppMain.h"
#include "app/settings/CSetMainDlg.h"
#include "library/datetime/CDateTimeFormat.h"
#include "library/text/CText.h"
#include "model/CActivity.h"
#include "model/CProjectState.h"
#include "model/CStatGen.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// A time column whose width the setting does not hold (never expected).
const int32_t kFallbackColumnWidth = 70;

} // namespace

int CMainDlg::ListColumns() const {
    return static_cast<int>(m_list.GetColumns().size());
}

int CMainDlg::GetKind() const {
    const uint32_t kind = CAppMain::Get().GetSetView().GetType();
    return kind <= sikAll ? static_cast<int>(kind) : static_cast<int>(sikDay);
}

int CMainDlg::GetNumColumns() {
    if (GetKind() == sikAll) {
        return 2;
    }
    return CAppMain::Get().GetSetMainDlg().GetNumColumns() + 1;
}

void CMainDlg::EnsureIntervals() {
    if (!m_intervalsStale) {
        return;
    }
    CAppMain& app = CAppMain::Get();
    const EStatIntKind kind = static_cast<EStatIntKind>(GetKind());
    const int firstDay = app.GetSetDateTime().GetFirstDayOfWeek();
    // Whatever the settings held, and after a change of kind or number of columns, every
    // column lies in the calendar.
    CDateTime& position = app.GetSetMainDlg().GetPosition();
    position = CStatInts::ClampUpTo(kind, GetNumColumns() - 1, position, firstDay);
    m_intervals.GenerateUpTo(kind, GetNumColumns() - 1, position, EStatIntBounds::Whole, firstDay);
    m_intervalsStale = false;
}

const CStatInts& CMainDlg::GetIntervals() {
    EnsureIntervals();
    return m_intervals;
}

const CStatInt* CMainDlg::GetInterval(int column) {
    EnsureIntervals();
    if (column < 1 || column > m_intervals.GetCount()) {
        return nullptr;
    }
    return &m_intervals.GetAt(column - 1);
}

std::string CMainDlg::FormatColumnTitle(int column) {
    const CStatInt* interval = GetInterval(column);
    if (interval == nullptr) {
        return std::string();
    }
    const CDateTimeFormat& formats = CDateTimeFormat::Instance();
    const CDateTime& start = interval->GetStart(ETimeBase::Local);
    switch (GetKind()) {
    case sikHour:
        return start.FormatDateTime(formats.GetNumericDateFormat(), formats.GetHourFormat());
    case sikDay:
    case sikWeek:
        return start.FormatDate(formats.GetNumericDateFormat());
    case sikMonth:
        return start.FormatDate(formats.GetMonthYearFormat());
    case sikYear:
        return start.FormatDate(formats.GetYearFormat());
    default:
        return CText(IDS_COLUMN_PROJECT).GetString();
    }
}

SListViewColumn CMainDlg::GetColumn(int index) {
    SListViewColumn column;
    CSetMainDlg& settings = CAppMain::Get().GetSetMainDlg();
    const std::vector<int32_t>& widths = settings.GetColumnWidths();
    const bool known = index >= 0 && static_cast<size_t>(index) < widths.size();
    column.width = known ? widths[static_cast<size_t>(index)] : kFallbackColumnWidth;
    column.defaultWidth = !known || settings.IsDefaultColumnWidth(static_cast<size_t>(index));
    if (index == 0) {
        column.title = CText(IDS_COLUMN_ACTIVITY).GetString();
        return column;
    }
    column.format = LVCFMT_RIGHT;
    column.title = FormatColumnTitle(index);
    if (index + 1 == GetNumColumns() && GetHwnd() != nullptr) {
        SetDlgItemTextA(GetHwnd(), IDC_MAIN_PERIOD, column.title.c_str());
    }
    return column;
}

std::string CMainDlg::GetColumnText(CActivity* activity, int column) {
    const CStatInt* interval = GetInterval(column);
    if (activity == nullptr || interval == nullptr || !interval->IsInCalendar()) {
        return std::string();
    }
    CSetTimeDisplay& display = CAppMain::Get().GetSetTimeDisplay();
    const EStatScope scope =
        display.GetShowCumulativeTime() ? EStatScope::WithDescendants : EStatScope::Own;
    return display.FormatDuration(activity->GetStatGen().Generate(*interval, scope).GetTotal());
}

void CMainDlg::OnSelectionChanged(CActivity*) {}

void CMainDlg::OnChecksChanged() {}

void CMainDlg::OnItemActivated(CActivity*) {
    // An activation that reaches the list during a moment (a double click posted by
    // another program) starts nothing, as the window's Start button does not.
    if (IsDialogRunning()) {
        return;
    }
    // The list keeps the state's selected activity in step with its selection.
    CAppMain::Get().GetProjects().StartWorking(nullptr, nullptr);
}

bool CMainDlg::OnKeyDown(WORD) {
    return false;
}

void CMainDlg::GetCheckedActivities(std::set<CActivity*>&) {}

void CMainDlg::RefreshColumns(bool updateTitles) {
    m_intervalsStale = true;
    m_shownStamps.clear();
    const int oldCount = m_intervals.GetCount();
    const int newCount = GetNumColumns() - 1;
    const int diff = newCount - oldCount;
    EnsureIntervals();
    if (!m_listAttached) {
        return;
    }
    if (diff < 0) {
        // The newest columns stay: their widths go to the setting's last entries.
        KeepColumnWidths(true);
        for (int i = 0; i < -diff && ListColumns() >= 2; ++i) {
            m_list.RemoveColumn(1);
        }
    } else {
        for (int c = 1; c <= diff; ++c) {
            m_list.InsertColumn(c);
        }
    }
    if (updateTitles) {
        for (int c = diff + 1 > 1 ? diff + 1 : 1; c <= newCount && c < ListColumns(); ++c) {
            m_list.SetColumn(c, GetColumn(c));
            m_list.UpdateColumn(c);
        }
    }
}

void CMainDlg::KeepColumnWidths(bool timeColumns) {
    // The setting keeps one width per column of the chosen number: the list's activity
    // column goes to the first entry, its time columns, newest last, to the last ones.
    std::vector<int> shown;
    m_list.GetColumnWidths(shown);
    std::vector<int32_t>& widths = CAppMain::Get().GetSetMainDlg().GetColumnWidths();
    if (shown.empty() || widths.empty()) {
        return;
    }
    widths[0] = shown[0];
    size_t to = widths.size();
    for (size_t from = shown.size(); timeColumns && from > 1 && to > 1;) {
        widths[--to] = shown[--from];
    }
}

void CMainDlg::ShowStatistics() {
    m_shownStamps.clear();
    CProjectState* state = GetCurrentState();
    if (!m_listAttached || state == nullptr) {
        return;
    }
    // Column by column through the rows, then every activity's stamp as now shown.
    const int count = std::min(GetNumColumns(), ListColumns());
    for (int c = 1; c < count; ++c) {
        m_list.UpdateColumn(c);
    }
    CActivity* root = state->GetRootActivity();
    for (CActivity* activity = root != nullptr ? root->GetFirstChild() : nullptr;
         activity != nullptr; activity = activity->GetNextInSubtree(root)) {
        m_shownStamps[activity] = activity->GetStatGen().GetChangeStamp();
    }
}

void CMainDlg::ShowChangedStatistics() {
    CProjectState* state = GetCurrentState();
    if (!m_listAttached || state == nullptr || state->GetRootActivity() == nullptr) {
        return;
    }
    if (m_shownStamps.empty()) {
        // Nothing shown yet: column by column is the cheaper way through every row.
        ShowStatistics();
        return;
    }
    const bool cumulative = CAppMain::Get().GetSetTimeDisplay().GetShowCumulativeTime();
    const int count = std::min(GetNumColumns(), ListColumns());
    // Post-order walk: an activity's row is rewritten when its own totals changed since
    // they were last shown or, with cumulative times, when any below it did.
    struct SFrame {
        CActivity* activity;
        bool childChanged;
    };
    std::vector<SFrame> stack;
    stack.push_back({state->GetRootActivity(), false});
    CActivity* next = state->GetRootActivity()->GetFirstChild();
    while (!stack.empty()) {
        if (next != nullptr) {
            stack.push_back({next, false});
            next = next->GetFirstChild();
            continue;
        }
        const SFrame done = stack.back();
        stack.pop_back();
        if (stack.empty()) {
            break;
        }
        const std::uint64_t stamp = done.activity->GetStatGen().GetChangeStamp();
        auto shown = m_shownStamps.find(done.activity);
        const bool ownChanged = shown == m_shownStamps.end() || shown->second != stamp;
        const bool changed = ownChanged || (cumulative && done.childChanged);
        if (changed) {
            for (int c = 1; c < count; ++c) {
                m_list.UpdateActivityCell(done.activity, c);
            }
            m_shownStamps[done.activity] = stamp;
        }
        stack.back().childChanged = stack.back().childChanged || changed;
        next = done.activity->GetNextSibling();
    }
}

void CMainDlg::ShowRunningStatistics() {
    CProjectState* state = GetCurrentState();
    if (!m_listAttached || state == nullptr) {
        return;
    }
    // Only the running activity's totals grow, and with cumulative times those of the
    // activities above it.
    const bool cumulative = CAppMain::Get().GetSetTimeDisplay().GetShowCumulativeTime();
    const int count = std::min(GetNumColumns(), ListColumns());
    for (CActivity* activity = state->GetCurrentActivity();
         activity != nullptr && activity != state->GetRootActivity();
         activity = cumulative ? activity->GetParent() : nullptr) {
        for (int c = 1; c < count; ++c) {
            m_list.UpdateActivityCell(activity, c);
        }
    }
}

// The statistics announce every change once they have taken it in; the project's own
// announcement of the same change may come before that (the state can hear a tally mark
// end before the activity's statistics do), and the rows it rewrote then are rewritten here
// with the final totals. Between changes only the running totals move.
bool CMainDlg::OnStatsUpdated(CStatsUpdatedEvent& event) {
    if (CAppMain::Get().GetNotArea().IsIconShown()) {
        return CMainDlgBase::OnStatsUpdated(event);
    }
    ShowChangedStatistics();
    ShowRunningStatistics();
    return true;
}

bool CMainDlg::OnEvent(CNumColumnsChangedEvent&) {
    RefreshColumns(false);
    return true;
}

bool CMainDlg::OnEvent(CEmptyTimeModeChangedEvent&) {
    ShowStatistics();
    return true;
}

bool CMainDlg::OnEvent(CShowTimeCumulativeChangedEvent&) {
    ShowStatistics();
    return true;
}
