#include "dialogs/LocalTime.h"

#include "library/datetime/CTimeZoneConverter.h"
#include "model/CModelTimeZone.h"

CDateTime ToLocalTime(const CDateTime& utc) {
    return utc.UtcToLocal(CModelTimeZone::Get());
}

CDateTime ToUniversalTime(const CDateTime& local) {
    return local.LocalToUtc(CModelTimeZone::Get());
}

bool IsSkippedLocalTime(const CDateTime& local) {
    return CTimeZoneConverter(CModelTimeZone::Get(), false).IsSkipped(local);
}
