#include "app/settings/CSetTimeDisplay.h"

#include "app/settings/SettingReaders.h"
#include "library/settings/CINIFile.h"

namespace {

const char* const kSection = "TimeDisplay";
const char* const kEmptyMode = "EmptyMode";
const char* const kShowCumulativeTime = "ShowCumulativeTime";

} // namespace

CSetTimeDisplay::CSetTimeDisplay() : m_emptyMode(EmptyAsDashes), m_showCumulativeTime(true) {}

CSetTimeDisplay::~CSetTimeDisplay() = default;

void CSetTimeDisplay::Load(CINIFile& ini) {
    CINISection& section = *ini.GetSection(kSection, true);
    m_emptyMode = ReadUInt(section, kEmptyMode, EmptyAsDashes, EmptyAsZeros, EmptyAsNothing);
    m_showCumulativeTime = ReadBool(section, kShowCumulativeTime, true);
}

void CSetTimeDisplay::Save(CINIFile& ini) {
    CINISection& section = *ini.GetSection(kSection, true);
    section.GetSetting(kEmptyMode, true)->SetUInt(m_emptyMode);
    section.GetSetting(kShowCumulativeTime, true)->SetBool(m_showCumulativeTime);
}

void CSetTimeDisplay::SetEmptyMode(uint32_t mode) {
    if (mode == m_emptyMode) {
        return;
    }
    m_emptyMode = mode;
    CEmptyTimeModeChangedEvent event;
    CSignal<CEmptyTimeModeChangedEvent>::Emit(event);
}

void CSetTimeDisplay::SetShowCumulativeTime(bool show) {
    if (show == m_showCumulativeTime) {
        return;
    }
    m_showCumulativeTime = show;
    CShowTimeCumulativeChangedEvent event;
    CSignal<CShowTimeCumulativeChangedEvent>::Emit(event);
}

std::string CSetTimeDisplay::FormatDuration(const CDateTimeSpan& span) const {
    if (span.GetValue() != 0.0) {
        return span.FormatHMS(3);
    }
    switch (m_emptyMode) {
    case EmptyAsZeros:
        return "00:00:00";
    case EmptyAsNothing:
        return std::string();
    default:
        return "--";
    }
}
