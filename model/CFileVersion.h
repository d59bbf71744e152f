#pragma once

// CFileVersion: a version packed into 32 bits: major (16 bits), minor (4), build (8)
// and revision (4), with its dotted text ("10.3.15", or "10.3.15.2" when the revision
// is not 0). Project files carry one; the program reads files up to its own version.

#include <cstdint>
#include <string>

class CFileVersion {
public:
    CFileVersion() = default;
    // Each part is masked to its width.
    CFileVersion(int major, int minor, int build, int revision);
    virtual ~CFileVersion() = default;

    void SetPacked(uint32_t packed);
    // "a.b.c.d" or "a.b.c"; the single number 1 means 0.0.0. False (and nothing
    // changed) for anything else.
    bool Parse(const std::string& text);
    uint32_t GetPacked() const { return m_packed; }
    std::string GetText() const { return m_text; }
    // Not newer than the program's own version.
    bool IsSupported() const;

    // The program's own version, 10.3.15: the newest it can read.
    static const CFileVersion& GetProgramVersion();
    // What both translators write into a file: 0.0.0.1.
    static const CFileVersion& GetFormatVersion();

    bool operator==(const CFileVersion& o) const { return m_packed == o.m_packed; }
    bool operator!=(const CFileVersion& o) const { return m_packed != o.m_packed; }
    bool operator<(const CFileVersion& o) const { return m_packed < o.m_packed; }
    bool operator<=(const CFileVersion& o) const { return m_packed <= o.m_packed; }
    bool operator>(const CFileVersion& o) const { return m_packed > o.m_packed; }
    bool operator>=(const CFileVersion& o) const { return m_packed >= o.m_packed; }

private:
    void Set(uint32_t major, uint32_t minor, uint32_t build, uint32_t revision);

    std::string m_text;
    uint32_t m_packed = 0;
};
