#include "dialogs/LocalTime.h"

#include "model/CModelTimeZone.h"

CDateTime ToLocalTime(const CDateTime& utc) {
    return utc.UtcToLocal(CModelTimeZone::Get());
}

CDateTime ToUniversalTime(const CDateTime& local) {
    return local.LocalToUtc(CModelTimeZone::Get());
}
