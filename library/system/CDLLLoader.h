#pragma once

// CDLLLoader: one library loaded at run time, freed when the loader goes.
//
//   CDLLLoader& user32 = CDLLLoader::GetShared();
//   if (user32.Load("user32.dll")) {
//       auto* open = reinterpret_cast<OpenInputDesktopFn>(user32.GetFunction("OpenInputDesktop"));
//   }
//
// The program's own module is never freed: a loader that was handed it (Attach)
// only forgets it.

#include <windows.h>

class CDLLLoader {
public:
    CDLLLoader();
    // Loads the library at once; GetModule() is null when that failed.
    explicit CDLLLoader(const char* fileName);
    CDLLLoader(const CDLLLoader&) = delete;
    CDLLLoader& operator=(const CDLLLoader&) = delete;
    virtual ~CDLLLoader();

    // Frees a loaded module first; true when the new one loaded.
    bool Load(const char* fileName);
    // Frees a loaded module and takes over `module`, which this loader then frees.
    void Attach(HMODULE module);
    // True when the system freed the module (also for the program's own module, which
    // is only forgotten); false when nothing was loaded or freeing failed.
    bool Unload();

    // Null when nothing is loaded or the entry is missing.
    FARPROC GetFunction(const char* name) const;
    FARPROC GetFunction(WORD ordinal) const;
    HMODULE GetModule() const { return m_module; }

    // The process-wide loader (empty at start, freed at exit) of the services that
    // look up entries of system libraries at run time.
    static CDLLLoader& GetShared();

private:
    HMODULE m_module;
};
