#include "library/system/CWindowsVersion.h"

namespace {

int32_t NineXCode(DWORD major, DWORD minor, const char* servicePack) {
    if (major >= 5) {
        return 9;
    }
    if (major < 4) {
        return 0;
    }
    // The service release is the second character of the service-pack text (" A ").
    const char release = servicePack != nullptr && servicePack[0] != '\0' ? servicePack[1] : '\0';
    switch (minor) {
    case 0:
        return release == 'B' || release == 'C' ? 1 : 0;
    case 10:
        return release == 'A' ? 3 : 2;
    case 90:
        return 4;
    default:
        return 0;
    }
}

int32_t NTCode(DWORD major, DWORD minor) {
    if (major <= 3) {
        return 5;
    }
    if (major == 4) {
        return 6;
    }
    if (major == 5 && minor == 0) {
        return 7;
    }
    if (major == 5 && minor == 1) {
        return 8;
    }
    return 9;
}

// Worked out by a static initialiser, so that the answer is ready before any window
// exists; Get also covers calls from other static initialisers that run earlier.
const SWindowsVersion& StartupVersion() {
    static const SWindowsVersion version = CWindowsVersion::Compute();
    return version;
}
[[maybe_unused]] const SWindowsVersion& g_startupVersion = StartupVersion();

} // namespace

const SWindowsVersion& CWindowsVersion::Get() {
    return StartupVersion();
}

SWindowsVersion CWindowsVersion::Compute() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExA(&info)) {
        return SWindowsVersion{true, 9};
    }
    const bool isNT = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
    return SWindowsVersion{isNT, CodeFor(info.dwPlatformId, info.dwMajorVersion,
                                         info.dwMinorVersion, info.szCSDVersion)};
}

int32_t CWindowsVersion::CodeFor(DWORD platformId, DWORD major, DWORD minor,
                                 const char* servicePack) {
    if (platformId == VER_PLATFORM_WIN32_NT) {
        return NTCode(major, minor);
    }
    return NineXCode(major, minor, servicePack);
}
