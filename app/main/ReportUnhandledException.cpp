#include "app/main/ReportUnhandledException.h"

#include "library/text/CText.h"
#include "resources/ResourceIds.h"

#include <cstdio>

namespace {

// "0x" and as many upper-case hexadecimal digits as a pointer holds, so that an x64
// address is never cut to its low half.
std::string FormatAddress(ULONG_PTR value) {
    char text[2 + 2 * sizeof(ULONG_PTR) + 1];
    std::snprintf(text, sizeof(text), "0x%0*llX", static_cast<int>(2 * sizeof(ULONG_PTR)),
                  static_cast<unsigned long long>(value));
    return text;
}

} // namespace

std::string FormatUnhandledExceptionReport(const CSEHandler& exception) {
    CText extraInfo;
    if (exception.GetCode() == EXCEPTION_ACCESS_VIOLATION) {
        extraInfo.Load(IDS_UNHANDLED_ACCESS_VIOLATION);
        extraInfo.ReplaceWithText("[TYPE]", CText(exception.IsWriteAccess() ? IDS_WRITE : IDS_READ),
                                  true);
        extraInfo.ReplaceWithString("[ACCESSADDRESS]", FormatAddress(exception.GetAccessAddress()),
                                    true);
    }
    CText error(IDS_UNHANDLED_EXCEPTION);
    error.ReplaceWithString("[WHAT]", exception.GetDescription(), true);
    error.ReplaceWithString(
        "[ADDRESS]", FormatAddress(reinterpret_cast<ULONG_PTR>(exception.GetAddress())), true);
    error.ReplaceWithString("[OFFSET]", FormatAddress(exception.GetModuleOffset()), true);
    error.ReplaceWithText("[EXTRAINFO]", extraInfo, true);
    // Last, so that brackets in a file name are never taken for a placeholder.
    error.ReplaceWithString("[MODULENAME]", exception.GetModuleName(), true);

    CText report(IDS_UNHANDLED_ERROR);
    report.ReplaceWithText("[ERROR]", error, true);
    return report.GetString();
}

int ReportUnhandledException(const CSEHandler& exception) {
    MessageBoxA(nullptr, FormatUnhandledExceptionReport(exception).c_str(),
                CText(IDS_UNHANDLED_ERROR_CAPTION), MB_OK | MB_ICONERROR);
    return 2;
}
