#include "TestLanguageModule.h"

#include <vector>

std::string TestPattern(size_t length) {
    std::string text;
    for (size_t i = 0; i < length; ++i) {
        text.push_back(static_cast<char>('a' + (i * 7 + length) % 26));
    }
    return text;
}

namespace {

// A string-table block: ids 16(b-1) to 16(b-1)+15, each a counted UTF-16 string.
// The test strings are ASCII.
std::vector<WORD> MakeStringBlock(const std::map<unsigned int, std::string>& strings,
                                  unsigned int block) {
    std::vector<WORD> words;
    for (unsigned int id = (block - 1) * 16; id < block * 16; ++id) {
        auto found = strings.find(id);
        const std::string text = found == strings.end() ? std::string() : found->second;
        words.push_back(static_cast<WORD>(text.size()));
        for (char c : text) {
            words.push_back(static_cast<WORD>(static_cast<unsigned char>(c)));
        }
    }
    return words;
}

} // namespace

CTestLanguageModule::CTestLanguageModule(const std::map<unsigned int, std::string>& strings,
                                         const std::map<unsigned int, std::string>& data) {
    char program[MAX_PATH];
    char folder[MAX_PATH];
    char file[MAX_PATH];
    if (GetModuleFileNameA(nullptr, program, MAX_PATH) == 0 ||
        GetTempPathA(MAX_PATH, folder) == 0 || GetTempFileNameA(folder, "tml", 0, file) == 0) {
        return;
    }
    m_path = file;
    if (!CopyFileA(program, file, FALSE)) {
        return;
    }
    HANDLE update = BeginUpdateResourceA(file, TRUE);
    if (update == nullptr) {
        return;
    }
    const WORD language = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
    bool ok = true;
    std::map<unsigned int, bool> blocks;
    for (const auto& entry : strings) {
        blocks[entry.first / 16 + 1] = true;
    }
    for (const auto& block : blocks) {
        std::vector<WORD> words = MakeStringBlock(strings, block.first);
        ok = ok && UpdateResourceA(update, RT_STRING, MAKEINTRESOURCEA(block.first), language,
                                   words.data(), static_cast<DWORD>(words.size() * sizeof(WORD)));
    }
    for (const auto& entry : data) {
        std::string bytes = entry.second;
        ok = ok && UpdateResourceA(update, RT_RCDATA, MAKEINTRESOURCEA(entry.first), language,
                                   &bytes[0], static_cast<DWORD>(bytes.size()));
    }
    if (!EndUpdateResourceA(update, ok ? FALSE : TRUE) || !ok) {
        return;
    }
    m_module = LoadLibraryExA(file, nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

CTestLanguageModule::~CTestLanguageModule() {
    if (m_module != nullptr) {
        FreeLibrary(m_module);
    }
    if (!m_path.empty()) {
        DeleteFileA(m_path.c_str());
    }
}
