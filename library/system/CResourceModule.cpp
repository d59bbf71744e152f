#include "library/system/CResourceModule.h"

namespace {

HINSTANCE ProgramModule() {
    return GetModuleHandleA(nullptr);
}

CResourceModule& StartupModule() {
    static CResourceModule* module = new CResourceModule(); // lives as long as the process
    return *module;
}

CResourceModule*& CurrentModule() {
    static CResourceModule* current = &StartupModule();
    return current;
}

} // namespace

CResourceModule::CResourceModule() : m_instance(ProgramModule()), m_fallback(nullptr) {}

CResourceModule::CResourceModule(HINSTANCE instance)
    : m_instance(instance ? instance : ProgramModule()), m_fallback(nullptr) {}

CResourceModule::CResourceModule(HINSTANCE instance, HINSTANCE fallback)
    : m_instance(instance ? instance : ProgramModule()),
      m_fallback(fallback ? fallback : ProgramModule()) {}

CResourceModule::~CResourceModule() = default;

void CResourceModule::SetInstance(HINSTANCE instance) {
    m_instance = instance ? instance : ProgramModule();
}

bool CResourceModule::Find(unsigned int id, LPCSTR type, SResourceBytes& bytes) const {
    if (FindIn(m_instance, id, type, bytes)) {
        return true;
    }
    return m_fallback != nullptr && FindIn(m_fallback, id, type, bytes);
}

bool CResourceModule::FindIn(HINSTANCE instance, unsigned int id, LPCSTR type,
                             SResourceBytes& bytes) {
    bytes = SResourceBytes();
    HRSRC info = FindResourceA(instance, MAKEINTRESOURCEA(id), type);
    if (info == nullptr) {
        return false;
    }
    bytes.handle = LoadResource(instance, info);
    if (!bytes.handle.IsSet()) {
        return false;
    }
    const void* data = LockResource(bytes.handle);
    DWORD size = SizeofResource(instance, info);
    if (data == nullptr || size == 0) {
        bytes = SResourceBytes();
        return false;
    }
    bytes.data = static_cast<const uint8_t*>(data);
    bytes.size = size;
    return true;
}

CResourceModule& CResourceModule::GetCurrent() {
    return *CurrentModule();
}

void CResourceModule::SetCurrent(CResourceModule* module) {
    CurrentModule() = module ? module : &StartupModule();
}
