#pragma once

// The bytes of one loaded resource, as a resource lookup hands them out. The data
// stays valid while the handle (or a copy of it) lives; data is null and size 0
// when nothing was found.

#include "library/handles/CHandle.h"
#include "library/handles/HandleTraits.h"

#include <cstdint>

struct SResourceBytes {
    CHandle<CResHandleTraits> handle;
    const uint8_t* data = nullptr;
    uint32_t size = 0;
};
