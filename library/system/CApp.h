#pragma once

// CApp: the program module and where it lies on disk.
//
//   CApp app(nullptr);                                   // the program's own module
//   std::string ini = app.GetModuleFolder() + "\\InstallSettings.ini";

#include <windows.h>

#include <string>

class CApp {
public:
    // module: null for the program's own module.
    explicit CApp(HMODULE module = nullptr);
    virtual ~CApp() = default;

    HMODULE GetModule() const { return m_module; }
    HINSTANCE GetInstance() const { return m_module; }
    // The module's full file path; empty when the system cannot give it.
    const std::string& GetModulePath();
    // The path before its last backslash (without it); empty when the path has none.
    const std::string& GetModuleFolder();

private:
    // Fills path and folder together, on the first call of either getter.
    void FillPaths();

    HMODULE m_module;
    std::string m_modulePath;
    std::string m_moduleFolder;
    bool m_filled = false;
};
