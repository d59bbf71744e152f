#include "model/CProjectBackups.h"

#include "library/files/CDataFile.h"
#include "library/files/CDataStream.h"
#include "model/CProjectState.h"
#include "model/CTranslator.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

namespace {

const char kBackupWord[] = " backup ";
// "YYYY-MM-DD hh-mm-ss": '9' stands for a digit.
const char kStampPattern[] = "9999-99-99 99-99-99";
const size_t kStampLength = sizeof kStampPattern - 1;
// Copies tried before giving up: each is read and parsed whole.
const size_t kMostTried = 8;

bool EqualsIgnoringCase(const std::string& text, size_t at, const std::string& part) {
    if (text.size() < at || text.size() - at < part.size()) {
        return false;
    }
    for (size_t i = 0; i < part.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[at + i])) !=
            std::tolower(static_cast<unsigned char>(part[i]))) {
            return false;
        }
    }
    return true;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

bool CProjectBackups::IsBackupName(const std::string& name, const std::string& stem,
                                   const std::string& extension) {
    const std::string start = stem + kBackupWord;
    if (!EqualsIgnoringCase(name, 0, start) || name.size() < start.size() + kStampLength) {
        return false;
    }
    for (size_t i = 0; i < kStampLength; ++i) {
        const char c = name[start.size() + i];
        if (kStampPattern[i] == '9' ? !IsDigit(c) : c != kStampPattern[i]) {
            return false;
        }
    }
    size_t at = start.size() + kStampLength;
    // An optional counter: " (n)".
    if (name.compare(at, 2, " (") == 0) {
        at += 2;
        const size_t digits = at;
        while (at < name.size() && IsDigit(name[at])) {
            ++at;
        }
        if (at == digits || at >= name.size() || name[at] != ')') {
            return false;
        }
        ++at;
    }
    return name.size() - at == extension.size() && EqualsIgnoringCase(name, at, extension);
}

std::string CProjectBackups::FindComplete(const std::string& path) {
    const size_t separator = path.find_last_of("\\/");
    const std::string folder =
        separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
    const std::string file = path.substr(folder.size());
    const size_t dot = file.rfind('.');
    const std::string stem = dot == std::string::npos ? file : file.substr(0, dot);
    const std::string extension = dot == std::string::npos ? std::string() : file.substr(dot);

    // (stamp, counter, name), newest first.
    std::vector<std::pair<std::pair<std::string, long>, std::string>> found;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((folder + stem + kBackupWord + "*" + extension).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) {
        return std::string();
    }
    do {
        const std::string name = data.cFileName;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
            !IsBackupName(name, stem, extension)) {
            continue;
        }
        const size_t stampAt = stem.size() + sizeof kBackupWord - 1;
        // The copy without a counter came first in its second; " (2)" next, and so on.
        const bool counted = name.compare(stampAt + kStampLength, 2, " (") == 0;
        const long counter =
            counted ? std::strtol(name.c_str() + stampAt + kStampLength + 2, nullptr, 10) : 1;
        found.push_back({{name.substr(stampAt, kStampLength), counter}, name});
    } while (FindNextFileA(search, &data));
    FindClose(search);

    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    for (size_t i = 0; i < found.size() && i < kMostTried; ++i) {
        const std::string candidate = folder + found[i].second;
        if (LoadsCompletely(candidate)) {
            return candidate;
        }
    }
    return std::string();
}

bool CProjectBackups::LoadsCompletely(const std::string& path) {
    CDataFile file;
    CDataStream stream;
    if (!file.Read(stream, path.c_str())) {
        return false;
    }
    CProjectState state;
    CTranslator* translator = nullptr;
    ETranslatorResult result = CTranslator::Detect(state, stream, translator);
    const std::unique_ptr<CTranslator> owner(translator);
    if (result == trOK) {
        state.Reset(true);
        result = translator->Load();
    }
    return result == trOK;
}
