#include "library/system/CDLLLoader.h"

CDLLLoader::CDLLLoader() : m_module(nullptr) {}

CDLLLoader::CDLLLoader(const char* fileName) : m_module(nullptr) {
    Load(fileName);
}

CDLLLoader::~CDLLLoader() {
    Unload();
}

bool CDLLLoader::Load(const char* fileName) {
    Unload();
    if (fileName != nullptr) {
        m_module = LoadLibraryA(fileName);
    }
    return m_module != nullptr;
}

void CDLLLoader::Attach(HMODULE module) {
    Unload();
    m_module = module;
}

bool CDLLLoader::Unload() {
    if (m_module == nullptr) {
        return false;
    }
    HMODULE module = m_module;
    m_module = nullptr;
    // The program's module was never loaded through LoadLibrary: freeing it would
    // drop a reference that nobody took.
    if (module == GetModuleHandleA(nullptr)) {
        return true;
    }
    return FreeLibrary(module) != FALSE;
}

FARPROC CDLLLoader::GetFunction(const char* name) const {
    if (m_module == nullptr || name == nullptr) {
        return nullptr;
    }
    return GetProcAddress(m_module, name);
}

FARPROC CDLLLoader::GetFunction(WORD ordinal) const {
    if (m_module == nullptr) {
        return nullptr;
    }
    return GetProcAddress(m_module, MAKEINTRESOURCEA(ordinal));
}

CDLLLoader& CDLLLoader::GetShared() {
    static CDLLLoader shared;
    return shared;
}
