#pragma once

// The version number of a module, read from the fixed part of its version resource
// (VS_VERSIONINFO, id 1), so that windows show the number the file's properties show.
//
//   SModuleVersion version;
//   if (ReadModuleVersion(GetModuleHandleA(nullptr), version)) {
//       text = FormatModuleVersion(version);   // "10.3.15"
//   }

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

struct SModuleVersion {
    uint16_t major = 0;
    uint16_t minor = 0;
    uint16_t build = 0;
    uint16_t revision = 0;
};

// The file version of the version resource's bytes. False, leaving version as it was, when
// the bytes are not a whole VS_VERSIONINFO block with its fixed file information.
bool ParseVersionResource(const uint8_t* data, std::size_t size, SModuleVersion& version);
// The file version of the module's own version resource (never a language module's);
// false when it has none or the resource is damaged.
bool ReadModuleVersion(HMODULE module, SModuleVersion& version);
// "major.minor.build", followed by ".revision" only when the revision is not 0.
std::string FormatModuleVersion(const SModuleVersion& version);
