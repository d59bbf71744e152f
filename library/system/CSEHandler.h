#pragma once

// CSEHandler: a copy of the exception record of an operating-system exception that
// nothing handled, with helpers that name the exception, its module and offset.
//
//   InstallSEHandler(&OnCrash);  // OnCrash reports and returns the exit code
//
// The installed top-level filter never returns to the system: it ends the process
// with the callback's result (1 when no callback is stored), so no system error
// dialog appears.

#include <windows.h>

#include <string>

class CSEHandler {
public:
    explicit CSEHandler(const EXCEPTION_RECORD& record);
    virtual ~CSEHandler() = default;

    DWORD GetCode() const { return m_code; }
    void* GetAddress() const { return m_address; }
    bool IsContinuable() const { return m_flags == 0; }
    // For an access violation: the access was a write (not a read or an execution).
    bool IsWriteAccess() const;
    // For an access violation: the address accessed.
    ULONG_PTR GetAccessAddress() const;
    // The exception address minus the base of the module that holds it (the address
    // itself when it lies in no module).
    ULONG_PTR GetModuleOffset() const;
    // File name (without folder) of the module holding the address, or
    // "unknown module".
    std::string GetModuleName() const;
    // The English name of the exception code, or "Unknown exception (XXXXXXXX)".
    std::string GetDescription() const;

private:
    ULONG_PTR GetParameter(DWORD index) const;
    void* GetAllocationBase() const;

    DWORD m_code;
    DWORD m_flags;
    void* m_nested;
    void* m_address;
    DWORD m_numParameters;
    ULONG_PTR m_parameters[EXCEPTION_MAXIMUM_PARAMETERS];
};

using SEHandlerCallback = int (*)(const CSEHandler& exception);

// Installs the program's top-level exception filter and keeps the one it replaces.
void InstallSEHandler(SEHandlerCallback callback);
// Puts the previous filter back and forgets the callback.
void UninstallSEHandler();
