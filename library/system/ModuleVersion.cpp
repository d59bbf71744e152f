#include "library/system/ModuleVersion.h"

#include <cstring>

namespace {

// The block's header: length, value length and type (WORDs), then the key in UTF-16
// with its terminating zero, padded to a 32-bit boundary; the value follows.
const wchar_t kKey[] = L"VS_VERSION_INFO";
const std::size_t kKeyBytes = sizeof(kKey);
const std::size_t kValueOffset = (6 + kKeyBytes + 3) & ~static_cast<std::size_t>(3);
const uint32_t kFixedSignature = 0xFEEF04BD;

uint16_t ReadWord(const uint8_t* data) {
    return static_cast<uint16_t>(data[0] | (data[1] << 8));
}

uint32_t ReadDword(const uint8_t* data) {
    return static_cast<uint32_t>(ReadWord(data)) |
           (static_cast<uint32_t>(ReadWord(data + 2)) << 16);
}

} // namespace

bool ParseVersionResource(const uint8_t* data, std::size_t size, SModuleVersion& version) {
    const std::size_t fixedSize = sizeof(VS_FIXEDFILEINFO);
    if (data == nullptr || size < kValueOffset + fixedSize) {
        return false;
    }
    const std::size_t length = ReadWord(data);
    const std::size_t valueLength = ReadWord(data + 2);
    if (length > size || length < kValueOffset + fixedSize || valueLength < fixedSize) {
        return false;
    }
    // The key is compared byte by byte: wchar_t and the resource's UTF-16 agree on
    // Windows, and the data need not be aligned.
    if (std::memcmp(data + 6, kKey, kKeyBytes) != 0) {
        return false;
    }
    const uint8_t* fixed = data + kValueOffset;
    if (ReadDword(fixed) != kFixedSignature) {
        return false;
    }
    const uint32_t high = ReadDword(fixed + 8);
    const uint32_t low = ReadDword(fixed + 12);
    version.major = static_cast<uint16_t>(high >> 16);
    version.minor = static_cast<uint16_t>(high & 0xFFFF);
    version.build = static_cast<uint16_t>(low >> 16);
    version.revision = static_cast<uint16_t>(low & 0xFFFF);
    return true;
}

bool ReadModuleVersion(HMODULE module, SModuleVersion& version) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(VS_VERSION_INFO),
                                MAKEINTRESOURCEA(16)); // RT_VERSION
    if (found == nullptr) {
        return false;
    }
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return false;
    }
    return ParseVersionResource(static_cast<const uint8_t*>(bytes), SizeofResource(module, found),
                                version);
}

std::string FormatModuleVersion(const SModuleVersion& version) {
    std::string text = std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
                       std::to_string(version.build);
    if (version.revision != 0) {
        text += "." + std::to_string(version.revision);
    }
    return text;
}
