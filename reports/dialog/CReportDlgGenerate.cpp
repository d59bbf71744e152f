// The report dialog's "Generate": the report made by the generator and delivered onto the
// clipboard or into a file.

#include "reports/dialog/CReportDlg.h"

#include "app/ui/ShellOpen.h"
#include "app/ui/TextHelpers.h"
#include "library/files/CClipboard.h"
#include "library/files/CDataFile.h"
#include "library/files/CDataStream.h"
#include "library/text/CError.h"
#include "library/text/CText.h"
#include "library/windows/CTempCursor.h"
#include "reports/generator/CReport.h"
#include "reports/templates/CReportTemplate.h"
#include "resources/ResourceIds.h"

#include <windows.h>

#include <new>
#include <vector>

namespace {

const UINT kWaitCursor = 32514; // IDC_WAIT

int32_t GetListPosition(HWND dialog, int id) {
    return static_cast<int32_t>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

bool IsChecked(HWND dialog, int id) {
    return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ShowGenerateError(HWND dialog, const std::string& text) {
    MessageBoxA(dialog, text.c_str(), CText(IDS_REPORT_ERROR_CAPTION), MB_OK | MB_ICONERROR);
}

// The message with "[ERROR]" as the system's text of code.
std::string WithSystemError(unsigned int messageId, const std::string& path, DWORD code) {
    CText message(messageId);
    message.ReplaceWithString("[FILEPATH]", path, true);
    message.ReplaceWithSystemError("[ERROR]", code, CText(IDS_UNKNOWN_ERROR).GetCStr(), true);
    return message.GetString();
}

// The absolute form of path; false with the system's error when it cannot be made.
bool GetFullPath(const std::string& path, std::string& full, DWORD& error) {
    const DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        error = GetLastError();
        return false;
    }
    std::vector<char> buffer(static_cast<size_t>(needed) + 1, '\0');
    const DWORD length =
        GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length == 0) {
        error = GetLastError();
        return false;
    }
    if (length >= buffer.size()) {
        // The name changed meaning between the two calls (the current folder moved).
        error = ERROR_INSUFFICIENT_BUFFER;
        return false;
    }
    full.assign(buffer.data(), length);
    return true;
}

// The file that a report goes into: the name typed, made absolute, with the template's
// extension when it has none; false with the system's error (and path unchanged) when it
// cannot be made absolute.
bool GetReportPath(std::string& path, const std::string& extension, DWORD& error) {
    std::string full;
    if (!GetFullPath(path, full, error)) {
        return false;
    }
    AddDefaultExtension(full, extension);
    path = full;
    return true;
}

} // namespace

void CReportDlg::Generate(HWND dialog) {
    if (m_project == nullptr || m_currentTemplate == nullptr) {
        return;
    }
    CTempCursor wait(kWaitCursor, nullptr);
    // Nothing that goes wrong while a report is made may end the program (and its unsaved
    // projects): it is told, and the dialog stays open with its choices.
    try {
        GenerateInto(dialog);
    } catch (const CError& error) {
        ShowGenerateError(dialog, error.GetText());
    } catch (const std::bad_alloc&) {
        // The message names where the report was going; the memory of the attempt is free
        // again by now.
        if (IsChecked(dialog, IDC_REPORT_TO_CLIPBOARD)) {
            CText message(IDS_REPORT_CLIPBOARD_ERROR);
            message.ReplaceWithSystemError("[ERROR]", ERROR_NOT_ENOUGH_MEMORY,
                                           CText(IDS_UNKNOWN_ERROR).GetCStr(), true);
            ShowGenerateError(dialog, message.GetString());
        } else {
            std::string path = GetFilePathText();
            DWORD unused = ERROR_SUCCESS;
            GetReportPath(path, m_currentTemplate->GetDefaultExtension(), unused);
            ShowGenerateError(
                dialog, WithSystemError(IDS_REPORT_FILE_ERROR, path, ERROR_NOT_ENOUGH_MEMORY));
        }
    }
}

std::string CReportDlg::MakeReport(int32_t notation, int32_t statisticsPer, int32_t rounding,
                                   bool emptyActivities, bool emptyPeriods) {
    CReport report(m_project, m_state, notation, statisticsPer, rounding);
    return report.Generate(m_periodStart, m_periodEnd, m_chosen, *m_currentTemplate,
                           emptyActivities, emptyPeriods);
}

void CReportDlg::GenerateInto(HWND dialog) {
    const int32_t round = GetListPosition(dialog, IDC_REPORT_ROUND_TO);
    const int32_t per = GetListPosition(dialog, IDC_REPORT_STATISTICS_PER);
    const int32_t notation = GetNotation();
    const bool emptyActivities = IsChecked(dialog, IDC_REPORT_EMPTY_ACTIVITIES);
    const bool emptyPeriods = IsChecked(dialog, IDC_REPORT_EMPTY_PERIODS);
    const std::string text = MakeReport(notation, per, round, emptyActivities, emptyPeriods);
    if (IsChecked(dialog, IDC_REPORT_TO_CLIPBOARD)) {
        ReportToClipboard(dialog, text);
    } else {
        ReportToFile(dialog, text);
    }
}

void CReportDlg::ReportToClipboard(HWND dialog, const std::string& text) {
    if (CClipboard(dialog).SetData(CF_TEXT, text)) {
        MessageBoxA(dialog, CText(IDS_REPORT_ON_CLIPBOARD), CText(IDS_REPORT_GENERATED_CAPTION),
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    // Taken at once: loading the message's texts may change the thread's last error.
    const DWORD error = GetLastError();
    CText message(IDS_REPORT_CLIPBOARD_ERROR);
    message.ReplaceWithSystemError("[ERROR]", error, CText(IDS_UNKNOWN_ERROR).GetCStr(), true);
    ShowGenerateError(dialog, message.GetString());
}

void CReportDlg::ReportToFile(HWND dialog, const std::string& text) {
    std::string path = GetFilePathText();
    DWORD error = ERROR_SUCCESS;
    if (!GetReportPath(path, m_currentTemplate->GetDefaultExtension(), error)) {
        ShowGenerateError(dialog, WithSystemError(IDS_REPORT_FILE_ERROR, path, error));
        return;
    }

    if (FileExists(path)) {
        CText question(IDS_REPORT_REPLACE_QUESTION);
        question.ReplaceWithString("[FILEPATH]", path, true);
        if (MessageBoxA(dialog, question, CText(IDS_REPORT_REPLACE_CAPTION),
                        MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
            return;
        }
    }

    // The safe save: an existing report is kept in a backup copy until the new one is
    // written whole, and put back when writing fails.
    CDataStream bytes;
    bytes.SetData(text);
    CDataFile file;
    const SDataFileSaveResult saved = file.Write(bytes, path.c_str());
    error = saved.ok ? ERROR_SUCCESS : GetLastError();
    file.Close();
    if (!saved.ok) {
        ShowGenerateError(dialog, WithSystemError(IDS_REPORT_FILE_ERROR, path, error));
        return;
    }

    CText done(IDS_REPORT_SAVED_QUESTION);
    done.ReplaceWithString("[FILEPATH]", path, true);
    if (MessageBoxA(dialog, done, CText(IDS_REPORT_GENERATED_CAPTION),
                    MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON2) == IDYES) {
        ShellOpenFile(dialog, "open", path, CText(IDS_REPORT_OPEN_ERROR),
                      CText(IDS_REPORT_OPEN_ERROR_CAPTION));
    }
}
