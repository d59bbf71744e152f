#include "model/CTickClock.h"

#include <windows.h>

#include <utility>

namespace {

std::function<std::uint64_t()>& Source() {
    static std::function<std::uint64_t()> source;
    return source;
}

} // namespace

void CTickClock::Set(std::function<std::uint64_t()> ticks) {
    Source() = std::move(ticks);
}

std::uint64_t CTickClock::Get() {
    return Source() ? Source()() : GetTickCount64();
}
