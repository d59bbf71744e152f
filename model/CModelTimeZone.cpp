#include "model/CModelTimeZone.h"

#include <memory>

namespace {

std::unique_ptr<CTimeZone>& SetZone() {
    static std::unique_ptr<CTimeZone> zone;
    return zone;
}

} // namespace

void CModelTimeZone::Set(const CTimeZone* zone) {
    SetZone().reset(zone == nullptr ? nullptr : new CTimeZone(*zone));
}

CTimeZone CModelTimeZone::Get() {
    return SetZone() ? *SetZone() : CTimeZone::GetCurrent();
}
