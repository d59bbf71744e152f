#include "app/settings/CSetReportDlg.h"

#include "app/settings/SettingReaders.h"
#include "library/settings/CINIFile.h"

namespace {

const char* const kSection = "ReportDlg";
const char* const kStatisticsPer = "StatisticsPer";
const char* const kRoundTo = "RoundTo";
const char* const kDataFormat = "DataFormat";
const char* const kTemplate = "Template";
const char* const kUseEmptyActivity = "UseEmptyActivity";
const char* const kUseEmptyPeriod = "UseEmptyPeriod";
const char* const kDestination = "Destination";

constexpr uint32_t kDefaultStatisticsPer = 1;
constexpr uint32_t kLastListPosition = 5;
constexpr uint32_t kLastDataFormat = 2;
constexpr uint32_t kLastDestination = 1;

} // namespace

CSetReportDlg::CSetReportDlg()
    : m_statisticsPer(kDefaultStatisticsPer), m_roundTo(0), m_dataFormat(0),
      m_useEmptyActivity(false), m_useEmptyPeriod(false), m_destination(0) {}

CSetReportDlg::~CSetReportDlg() = default;

void CSetReportDlg::Load(CINIFile& ini) {
    CINISection& section = *ini.GetSection(kSection, true);
    m_statisticsPer =
        ReadUInt(section, kStatisticsPer, kDefaultStatisticsPer, 0, kLastListPosition);
    m_roundTo = ReadUInt(section, kRoundTo, 0, 0, kLastListPosition);
    m_dataFormat = ReadUInt(section, kDataFormat, 0, 0, kLastDataFormat);
    m_template = ReadText(section, kTemplate, std::string());
    m_useEmptyActivity = ReadBool(section, kUseEmptyActivity, false);
    m_useEmptyPeriod = ReadBool(section, kUseEmptyPeriod, false);
    m_destination = ReadUInt(section, kDestination, 0, 0, kLastDestination);
}

void CSetReportDlg::Save(CINIFile& ini) {
    CINISection& section = *ini.GetSection(kSection, true);
    section.GetSetting(kStatisticsPer, true)->SetUInt(m_statisticsPer);
    section.GetSetting(kRoundTo, true)->SetUInt(m_roundTo);
    section.GetSetting(kDataFormat, true)->SetUInt(m_dataFormat);
    section.GetSetting(kTemplate, true)->SetString(m_template);
    section.GetSetting(kUseEmptyActivity, true)->SetBool(m_useEmptyActivity);
    section.GetSetting(kUseEmptyPeriod, true)->SetBool(m_useEmptyPeriod);
    section.GetSetting(kDestination, true)->SetUInt(m_destination);
}
