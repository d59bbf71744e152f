#include "SClosingQuestions.h"

#include "resources/ResourceIds.h"

namespace {

std::string LoadText(HMODULE module, UINT id) {
    char text[2048] = "";
    LoadStringA(module, id, text, sizeof text);
    return text;
}

} // namespace

SClosingQuestions SClosingQuestions::Load(DWORD process) {
    SClosingQuestions questions;
    HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
    if (handle == nullptr) {
        return questions;
    }
    char path[MAX_PATH] = "";
    DWORD size = MAX_PATH;
    const bool named = QueryFullProcessImageNameA(handle, 0, path, &size) != FALSE;
    CloseHandle(handle);
    if (!named) {
        return questions;
    }
    questions.AddFrom(path);
    std::string folder = path;
    folder.erase(folder.find_last_of("\\/") + 1);
    WIN32_FIND_DATAA found = {};
    HANDLE search = FindFirstFileA((folder + "Tallymarks_*.dll").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            questions.AddFrom(folder + found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return questions;
}

void SClosingQuestions::AddFrom(const std::string& modulePath) {
    HMODULE module = LoadLibraryExA(modulePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        return;
    }
    // The still-working question goes on with the wording of the way out.
    const std::string working = LoadText(module, IDS_STILL_WORKING);
    if (!working.empty()) {
        for (UINT continuation :
             {IDS_STILL_WORKING_CLOSE, IDS_STILL_WORKING_EXIT, IDS_STILL_WORKING_SHUTDOWN}) {
            patterns.push_back(working + LoadText(module, continuation));
        }
    }
    const std::string save = LoadText(module, IDS_PROJECT_UNSAVED);
    if (!save.empty()) {
        patterns.push_back(save);
    }
    FreeLibrary(module);
}

bool SClosingQuestions::IsAsked(const std::string& text) const {
    for (const std::string& pattern : patterns) {
        if (Matches(text, pattern)) {
            return true;
        }
    }
    return false;
}

bool SClosingQuestions::Matches(const std::string& text, const std::string& pattern) {
    // The fixed pieces between the placeholders.
    std::vector<std::string> pieces(1);
    for (size_t at = 0; at < pattern.size(); ++at) {
        const size_t close = pattern[at] == '[' ? pattern.find(']', at) : std::string::npos;
        if (close != std::string::npos && close > at + 1 &&
            pattern.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ_", at + 1) == close) {
            pieces.emplace_back();
            at = close;
        } else {
            pieces.back() += pattern[at];
        }
    }
    if (pieces.size() == 1) {
        return text == pattern;
    }
    const std::string& first = pieces.front();
    const std::string& last = pieces.back();
    if (text.size() < first.size() + last.size() || text.compare(0, first.size(), first) != 0 ||
        text.compare(text.size() - last.size(), last.size(), last) != 0) {
        return false;
    }
    size_t from = first.size();
    const size_t end = text.size() - last.size();
    for (size_t piece = 1; piece + 1 < pieces.size(); ++piece) {
        const size_t found = text.find(pieces[piece], from);
        if (found == std::string::npos || found + pieces[piece].size() > end) {
            return false;
        }
        from = found + pieces[piece].size();
    }
    return true;
}
