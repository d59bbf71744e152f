#pragma once

// CResourceModule: where resources are looked up. The primary instance (the chosen
// language module) is searched first, then the fallback instance (the program), so
// that anything a language module lacks still comes from the program.
//
//   CResourceModule modules(languageModule, nullptr);  // nullptr: the program is the fallback
//   SResourceBytes page;
//   if (modules.Find(IDD_PAGE, RT_DIALOG, page)) { ... page.data, page.size ... }
//
// The process-wide "current" module serves CResourceData; it starts as a default
// module (the program, no fallback) and the program entry points it at its own.

#include "library/system/SResourceBytes.h"

#include <windows.h>

class CResourceModule {
public:
    // The program module, no fallback.
    CResourceModule();
    // That instance (null: the program module), no fallback.
    explicit CResourceModule(HINSTANCE instance);
    // That instance (null: the program module) with a fallback (null: the program module).
    CResourceModule(HINSTANCE instance, HINSTANCE fallback);
    virtual ~CResourceModule();

    HINSTANCE GetInstance() const { return m_instance; }
    // Null means the program module.
    void SetInstance(HINSTANCE instance);
    HINSTANCE GetFallbackInstance() const { return m_fallback; }
    // Null means no fallback.
    void SetFallbackInstance(HINSTANCE fallback) { m_fallback = fallback; }
    bool HasFallback() const { return m_fallback != nullptr; }

    // Looks the resource (id, type) up in the primary instance, then in the fallback.
    // A resource counts as found only with bytes and a size above 0. Returns whether
    // it was found; `bytes` is filled when found, emptied when not.
    bool Find(unsigned int id, LPCSTR type, SResourceBytes& bytes) const;

    // The process-wide module of CResourceData. The object is not owned; null puts
    // back the module made at start-up.
    static CResourceModule& GetCurrent();
    static void SetCurrent(CResourceModule* module);

private:
    static bool FindIn(HINSTANCE instance, unsigned int id, LPCSTR type, SResourceBytes& bytes);

    HINSTANCE m_instance;
    HINSTANCE m_fallback;
};
