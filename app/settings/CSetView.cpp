#include "app/settings/CSetView.h"

#include "app/settings/SettingReaders.h"
#include "library/settings/CINIFile.h"

namespace {

const char* const kSection = "View";
const char* const kMode = "Mode";
const char* const kType = "Type";
const char* const kTopMost = "TopMost";

} // namespace

CSetView::CSetView() : m_mode(ModeFull), m_type(TypeDay), m_topMost(false) {}

CSetView::~CSetView() = default;

void CSetView::Load(CINIFile& ini) {
    CINISection& section = *ini.GetSection(kSection, true);
    m_mode = ReadUInt(section, kMode, ModeFull, ModeFull, ModeCompact);
    m_type = ReadUInt(section, kType, TypeDay, 0, TypeWholeProject);
    m_topMost = ReadBool(section, kTopMost, false);
}

void CSetView::Save(CINIFile& ini) {
    CINISection& section = *ini.GetSection(kSection, true);
    section.GetSetting(kMode, true)->SetUInt(m_mode);
    section.GetSetting(kType, true)->SetUInt(m_type);
    section.GetSetting(kTopMost, true)->SetBool(m_topMost);
}

void CSetView::SetTopMost(bool topMost) {
    if (topMost == m_topMost) {
        return;
    }
    m_topMost = topMost;
    CViewTopMostChangedEvent event(m_topMost);
    Emit(event);
}
