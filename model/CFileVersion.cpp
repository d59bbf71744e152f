#include "model/CFileVersion.h"

#include <cstdio>

namespace {

const uint32_t kProgramPacked = 0xA30F0; // 10.3.15

} // namespace

CFileVersion::CFileVersion(int major, int minor, int build, int revision) {
    Set(static_cast<uint32_t>(major), static_cast<uint32_t>(minor), static_cast<uint32_t>(build),
        static_cast<uint32_t>(revision));
}

void CFileVersion::Set(uint32_t major, uint32_t minor, uint32_t build, uint32_t revision) {
    major &= 0xFFFF;
    minor &= 0xF;
    build &= 0xFF;
    revision &= 0xF;
    m_packed = (major << 16) | (minor << 12) | (build << 4) | revision;
    char text[48];
    if (revision != 0) {
        std::snprintf(text, sizeof(text), "%u.%u.%u.%u", major, minor, build, revision);
    } else {
        std::snprintf(text, sizeof(text), "%u.%u.%u", major, minor, build);
    }
    m_text = text;
}

void CFileVersion::SetPacked(uint32_t packed) {
    Set(packed >> 16, (packed >> 12) & 0xF, (packed >> 4) & 0xFF, packed & 0xF);
}

bool CFileVersion::Parse(const std::string& text) {
    int parts[4] = {0, 0, 0, 0};
    const int read =
        std::sscanf(text.c_str(), "%d.%d.%d.%d", &parts[0], &parts[1], &parts[2], &parts[3]);
    switch (read) {
    case 4:
        Set(parts[0], parts[1], parts[2], parts[3]);
        return true;
    case 3:
        Set(parts[0], parts[1], parts[2], 0);
        return true;
    case 1:
        if (parts[0] == 1) {
            Set(0, 0, 0, 0);
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool CFileVersion::IsSupported() const {
    return m_packed <= kProgramPacked;
}

const CFileVersion& CFileVersion::GetProgramVersion() {
    static const CFileVersion* version = [] {
        auto* v = new CFileVersion();
        v->SetPacked(kProgramPacked);
        return v;
    }();
    return *version;
}

const CFileVersion& CFileVersion::GetFormatVersion() {
    static const CFileVersion* version = new CFileVersion(0, 0, 0, 1);
    return *version;
}
