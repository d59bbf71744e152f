#include "app/settings/CSetMainDlg.h"

#include "app/settings/SettingReaders.h"
#include "app/ui/LayoutNumber.h"
#include "library/settings/CINIFile.h"

#include <climits>
#include <string>

namespace {

const char* const kSection = "MainWindow";
const unsigned kActivityLayout = 30006;
const unsigned kColumnLayout = 30007;
const int32_t kNoDefault = INT32_MIN;

std::string ColumnKey(int32_t n) {
    return "ColumnWidth" + std::to_string(n);
}

} // namespace

CSetMainDlg::CSetMainDlg() = default;

void CSetMainDlg::Load(CINIFile& ini) {
    CINISection& section = *ini.GetSection(kSection, true);
    m_trackNow = ReadBool(section, "TrackNow", true);
    // 0 and numbers beyond a positive 32-bit number give one column; more than the
    // window can show give the most it can.
    int64_t number = 2;
    if (ReadNumber(section, "NumColumns", number) && (number <= 0 || number > INT32_MAX)) {
        number = 1;
    }
    m_numColumns = static_cast<int32_t>(number > MaxColumns ? MaxColumns : number);
    m_widths.assign(static_cast<size_t>(m_numColumns) + 1, 0);
    double position = 0;
    CINISetting* stored = section.GetSetting("Position", false);
    const CDateTime now = CDateTime::Now(false);
    m_position = now;
    if (stored != nullptr) {
        position = stored->GetDouble(now.GetValue());
        // A damaged position shows the current time rather than an invalid date.
        if (CDateTime(position).IsValid()) {
            m_position = CDateTime(position);
        }
    }
    m_widths[0] = ReadColumnWidth(section, "ActivityWidth");
    for (int32_t n = 0; n < m_numColumns; ++n) {
        m_widths[n + 1] = ReadColumnWidth(section, ColumnKey(n).c_str());
    }
    m_defaults.assign(m_widths.size(), kNoDefault);
}

void CSetMainDlg::Save(CINIFile& ini) {
    CINISection& section = *ini.GetSection(kSection, true);
    section.GetSetting("ActivityWidth", true)->SetInt(m_widths.empty() ? -1 : m_widths[0]);
    section.GetSetting("TrackNow", true)->SetBool(m_trackNow);
    section.GetSetting("NumColumns", true)->SetUInt(static_cast<uint32_t>(m_numColumns));
    section.GetSetting("Position", true)->SetDouble(m_position.GetValue());
    for (int32_t n = 0; n < m_numColumns; ++n) {
        const size_t i = static_cast<size_t>(n) + 1;
        section.GetSettingStd(ColumnKey(n), true)->SetInt(i < m_widths.size() ? m_widths[i] : -1);
    }
}

void CSetMainDlg::SetNumColumns(int32_t number) {
    number = number < 1 ? 1 : (number > MaxColumns ? MaxColumns : number);
    if (number == m_numColumns) {
        return;
    }
    if (m_widths.empty()) {
        m_widths.assign(static_cast<size_t>(m_numColumns) + 1, -1);
    }
    MatchDefaults();
    const int32_t old = m_numColumns;
    if (number > old) {
        int32_t width = -1;
        GetLayoutNumber(width, kColumnLayout);
        m_widths.insert(m_widths.begin() + 1, static_cast<size_t>(number - old), width);
        m_defaults.insert(m_defaults.begin() + 1, static_cast<size_t>(number - old), width);
    } else {
        m_widths.erase(m_widths.begin() + 1, m_widths.begin() + 1 + (old - number));
        m_defaults.erase(m_defaults.begin() + 1, m_defaults.begin() + 1 + (old - number));
    }
    m_numColumns = number;
    CNumColumnsChangedEvent event(old, number);
    Emit(event);
}

std::vector<int32_t>& CSetMainDlg::GetColumnWidths() {
    if (m_widths.empty()) {
        m_widths.assign(static_cast<size_t>(m_numColumns) + 1, -1);
    }
    MatchDefaults();
    if (!m_resolved) {
        for (size_t i = 0; i < m_widths.size(); ++i) {
            if (m_widths[i] == -1) {
                GetLayoutNumber(m_widths[i], i == 0 ? kActivityLayout : kColumnLayout);
                m_defaults[i] = m_widths[i];
            }
        }
        m_resolved = true;
    }
    return m_widths;
}

bool CSetMainDlg::IsDefaultColumnWidth(size_t index) {
    const std::vector<int32_t>& widths = GetColumnWidths();
    return index < widths.size() && m_defaults[index] != kNoDefault &&
           widths[index] == m_defaults[index];
}

void CSetMainDlg::MatchDefaults() {
    m_defaults.resize(m_widths.size(), kNoDefault);
}
