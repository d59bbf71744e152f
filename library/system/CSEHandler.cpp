#include "library/system/CSEHandler.h"

#include <cstdio>
#include <cstring>

namespace {

struct SInstalledFilter {
    SEHandlerCallback callback = nullptr;
    LPTOP_LEVEL_EXCEPTION_FILTER previous = nullptr;
    bool installed = false;
};

SInstalledFilter& Installed() {
    static SInstalledFilter installed;
    return installed;
}

LONG WINAPI TopLevelFilter(EXCEPTION_POINTERS* pointers) {
    const SEHandlerCallback callback = Installed().callback;
    UINT exitCode = 1;
    if (callback != nullptr && pointers != nullptr && pointers->ExceptionRecord != nullptr) {
        exitCode = static_cast<UINT>(callback(CSEHandler(*pointers->ExceptionRecord)));
    }
    TerminateProcess(GetCurrentProcess(), exitCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

struct SExceptionName {
    DWORD code;
    const char* name;
};

const SExceptionName kExceptionNames[] = {
    {0x80000001, "Guard page"},
    {0x80000002, "Datatype misalignment"},
    {0x80000003, "Breakpoint"},
    {0x80000004, "Single step"},
    {0xC0000005, "Access violation"},
    {0xC0000006, "In page error"},
    {0xC0000008, "Invalid handle"},
    {0xC000001D, "Illegal instruction"},
    {0xC0000025, "Non-continuable exception"},
    {0xC0000026, "Invalid disposition"},
    {0xC000008C, "Array bounds exceeded"},
    {0xC000008D, "Float denormal operand"},
    {0xC000008E, "Floating point divide by zero"},
    {0xC000008F, "Floating point inexact result"},
    {0xC0000090, "Floating point invalid operation"},
    {0xC0000091, "Floating point overflow"},
    {0xC0000092, "Floating point stack check"},
    {0xC0000093, "Floating point underflow"},
    {0xC0000094, "Integer division by zero"},
    {0xC0000095, "Integer overflow"},
    {0xC0000096, "Privileged instruction"},
    {0xC00000FD, "Stack overflow"},
};

} // namespace

CSEHandler::CSEHandler(const EXCEPTION_RECORD& record)
    : m_code(record.ExceptionCode), m_flags(record.ExceptionFlags),
      m_nested(record.ExceptionRecord), m_address(record.ExceptionAddress),
      m_numParameters(record.NumberParameters) {
    if (m_numParameters > EXCEPTION_MAXIMUM_PARAMETERS) {
        m_numParameters = EXCEPTION_MAXIMUM_PARAMETERS;
    }
    std::memset(m_parameters, 0, sizeof(m_parameters));
    std::memcpy(m_parameters, record.ExceptionInformation,
                m_numParameters * sizeof(m_parameters[0]));
}

ULONG_PTR CSEHandler::GetParameter(DWORD index) const {
    return index < m_numParameters ? m_parameters[index] : 0;
}

// The first parameter is 0 for a read, 1 for a write and 8 for an execution fault.
bool CSEHandler::IsWriteAccess() const {
    return GetParameter(0) == 1;
}

ULONG_PTR CSEHandler::GetAccessAddress() const {
    return GetParameter(1);
}

void* CSEHandler::GetAllocationBase() const {
    // Only a loaded image is a module; other memory (heap, stack, free) has none.
    MEMORY_BASIC_INFORMATION info;
    if (VirtualQuery(m_address, &info, sizeof(info)) == 0 || info.Type != MEM_IMAGE) {
        return nullptr;
    }
    return info.AllocationBase;
}

ULONG_PTR CSEHandler::GetModuleOffset() const {
    return reinterpret_cast<ULONG_PTR>(m_address) -
           reinterpret_cast<ULONG_PTR>(GetAllocationBase());
}

std::string CSEHandler::GetModuleName() const {
    void* base = GetAllocationBase();
    char path[MAX_PATH];
    const DWORD length =
        base == nullptr ? 0 : GetModuleFileNameA(static_cast<HMODULE>(base), path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return "unknown module";
    }
    const std::string full(path, length);
    const size_t slash = full.find_last_of("\\/");
    return slash == std::string::npos ? full : full.substr(slash + 1);
}

std::string CSEHandler::GetDescription() const {
    for (const SExceptionName& entry : kExceptionNames) {
        if (entry.code == m_code) {
            return entry.name;
        }
    }
    char text[40];
    std::snprintf(text, sizeof(text), "Unknown exception (%08lX)",
                  static_cast<unsigned long>(m_code));
    return text;
}

void InstallSEHandler(SEHandlerCallback callback) {
    SInstalledFilter& installed = Installed();
    installed.callback = callback;
    if (!installed.installed) {
        installed.previous = SetUnhandledExceptionFilter(&TopLevelFilter);
        installed.installed = true;
    }
}

void UninstallSEHandler() {
    SInstalledFilter& installed = Installed();
    if (installed.installed) {
        SetUnhandledExceptionFilter(installed.previous);
        installed.previous = nullptr;
        installed.installed = false;
    }
    installed.callback = nullptr;
}
