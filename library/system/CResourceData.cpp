#include "library/system/CResourceData.h"

#include "library/system/CResourceModule.h"

CResourceData::CResourceData(unsigned int id) {
    Load(id);
}

CResourceData::CResourceData(unsigned int id, const CResourceModule& module) {
    Load(id, module);
}

CResourceData::~CResourceData() = default;

bool CResourceData::Load(unsigned int id) {
    return Load(id, CResourceModule::GetCurrent());
}

bool CResourceData::Load(unsigned int id, const CResourceModule& module) {
    return module.Find(id, RT_RCDATA, m_bytes);
}
