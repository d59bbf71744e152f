#include "CModuleExports.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// Bounded little-endian reads of the whole file.
class CImage {
public:
    explicit CImage(std::vector<unsigned char> bytes) : m_bytes(std::move(bytes)) {}

    bool Fits(size_t offset, size_t size) const {
        return offset <= m_bytes.size() && size <= m_bytes.size() - offset;
    }
    DWORD Read(size_t offset, size_t size) const {
        DWORD value = 0;
        for (size_t i = 0; i < size && Fits(offset + i, 1); ++i) {
            value |= static_cast<DWORD>(m_bytes[offset + i]) << (8 * i);
        }
        return value;
    }
    // The file offset of a relative virtual address, through the section table; 0 when
    // no section holds it.
    size_t FileOffset(DWORD rva) const {
        for (const SSection& section : m_sections) {
            if (rva >= section.address && rva - section.address < section.size) {
                return section.fileOffset + (rva - section.address);
            }
        }
        return 0;
    }
    std::string Text(size_t offset) const {
        std::string text;
        while (Fits(offset, 1) && m_bytes[offset] != 0 && text.size() < 256) {
            text.push_back(static_cast<char>(m_bytes[offset++]));
        }
        return text;
    }
    void AddSection(DWORD address, DWORD size, DWORD fileOffset) {
        m_sections.push_back({address, size, fileOffset});
    }

private:
    struct SSection {
        DWORD address, size, fileOffset;
    };
    std::vector<unsigned char> m_bytes;
    std::vector<SSection> m_sections;
};

} // namespace

bool CModuleExports::Read(const std::string& path, std::vector<std::string>& names,
                          std::string& error) {
    names.clear();
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot be opened";
        return false;
    }
    CImage image(std::vector<unsigned char>(std::istreambuf_iterator<char>(file), {}));
    const size_t header = image.Read(0x3C, 4);
    if (image.Read(0, 2) != 0x5A4D || !image.Fits(header, 24) ||
        image.Read(header, 4) != 0x00004550) {
        error = "is no Windows module";
        return false;
    }
    const size_t sections = image.Read(header + 6, 2);
    const size_t optional = header + 24;
    const size_t optionalSize = image.Read(header + 20, 2);
    const DWORD magic = image.Read(optional, 2);
    // The data directories follow the fields that differ between 32 and 64 bits.
    const size_t directories = optional + (magic == 0x20B ? 112 : 96);
    for (size_t i = 0; i < sections; ++i) {
        const size_t entry = optional + optionalSize + 40 * i;
        const DWORD virtualSize = image.Read(entry + 8, 4);
        const DWORD rawSize = image.Read(entry + 16, 4);
        image.AddSection(image.Read(entry + 12, 4), virtualSize > rawSize ? virtualSize : rawSize,
                         image.Read(entry + 20, 4));
    }
    if (image.Read(optional + (magic == 0x20B ? 108 : 92), 4) == 0 ||
        image.Read(directories, 4) == 0) {
        return true; // no export directory: nothing exported
    }
    const size_t directory = image.FileOffset(image.Read(directories, 4));
    if (directory == 0 || !image.Fits(directory, 40)) {
        error = "has an unreadable export directory";
        return false;
    }
    const DWORD base = image.Read(directory + 16, 4);
    const DWORD functions = image.Read(directory + 20, 4);
    const DWORD named = image.Read(directory + 24, 4);
    const size_t nameTable = image.FileOffset(image.Read(directory + 32, 4));
    const size_t ordinalTable = image.FileOffset(image.Read(directory + 36, 4));
    std::set<DWORD> namedOrdinals;
    for (DWORD i = 0; i < named && i < 65536 && nameTable != 0; ++i) {
        names.push_back(image.Text(image.FileOffset(image.Read(nameTable + 4 * i, 4))));
        namedOrdinals.insert(image.Read(ordinalTable + 2 * i, 2));
    }
    const size_t addressTable = image.FileOffset(image.Read(directory + 28, 4));
    for (DWORD i = 0; i < functions && i < 65536; ++i) {
        if (namedOrdinals.count(i) == 0 && image.Read(addressTable + 4 * i, 4) != 0) {
            names.push_back("#" + std::to_string(base + i));
        }
    }
    return true;
}
