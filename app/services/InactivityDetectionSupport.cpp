#include "app/services/InactivityDetectionSupport.h"

namespace {

// The version code of Windows NT 4, the last system without an input-idle counter.
constexpr int32_t kWindowsNT4 = 6;

} // namespace

bool IsInactivityDetectionSupported() {
    static const bool supported = IsInactivityDetectionSupportedOn(CWindowsVersion::Get());
    return supported;
}

bool IsInactivityDetectionSupportedOn(const SWindowsVersion& version) {
    return version.isNT && version.code > kWindowsNT4;
}
