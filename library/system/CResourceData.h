#pragma once

// CResourceData: one binary data resource (RT_RCDATA), looked up in a resource
// module's primary instance and then its fallback. The bytes stay valid as long as
// this object (or a copy) lives.
//
//   CResourceData width(30000);  // the current resource module
//   if (width.IsFound() && width.GetSize() >= 2) { ... width.GetData() ... }

#include "library/system/SResourceBytes.h"

#include <cstdint>

class CResourceModule;

class CResourceData {
public:
    // Loads the id from the current resource module (CResourceModule::GetCurrent).
    explicit CResourceData(unsigned int id);
    CResourceData(unsigned int id, const CResourceModule& module);
    virtual ~CResourceData();

    // Replaces the held resource by another id; returns whether it was found.
    bool Load(unsigned int id);
    bool Load(unsigned int id, const CResourceModule& module);

    bool IsFound() const { return m_bytes.data != nullptr; }
    // Null when not found.
    const uint8_t* GetData() const { return m_bytes.data; }
    // 0 when not found.
    uint32_t GetSize() const { return m_bytes.size; }

private:
    SResourceBytes m_bytes;
};
