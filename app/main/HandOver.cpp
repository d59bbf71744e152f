#include "app/main/HandOver.h"

#include <cstring>
#include <vector>

namespace {

// The longest path the system accepts (with the "\\?\" prefix), in characters.
const size_t kLongestPath = 32767;

} // namespace

std::string MakeHandOverPath(const std::string& path) {
    if (path.empty()) {
        return path;
    }
    const DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return path;
    }
    std::vector<char> buffer(needed + 1, '\0');
    const DWORD written =
        GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (written == 0 || written >= buffer.size()) {
        return path;
    }
    return std::string(buffer.data(), written);
}

bool SendHandOver(HWND window, bool hasFile, const std::string& file, UINT timeoutMs) {
    SetForegroundWindow(window);
    std::string text;
    COPYDATASTRUCT data = {};
    if (hasFile) {
        text = MakeHandOverPath(file);
        data.dwData = kHandOverOpenFile;
        data.cbData = static_cast<DWORD>(text.size() + 1);
        data.lpData = &text[0];
    } else {
        data.dwData = kHandOverShow;
    }
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                               SMTO_ABORTIFHUNG, timeoutMs, &answer) != 0;
}

bool ReadHandOverPath(const COPYDATASTRUCT& data, std::string& path) {
    path.clear();
    if (data.dwData != kHandOverOpenFile || data.cbData == 0 || data.lpData == nullptr) {
        return false;
    }
    const char* text = static_cast<const char*>(data.lpData);
    const void* zero = std::memchr(text, '\0', data.cbData);
    const size_t length =
        zero != nullptr ? static_cast<size_t>(static_cast<const char*>(zero) - text) : data.cbData;
    if (length == 0 || length > kLongestPath) {
        return false;
    }
    path.assign(text, length);
    return true;
}
