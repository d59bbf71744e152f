#include "library/settings/CRegistry.h"

#include <vector>

namespace {

// An open registry key. The close result counts for the writing operations, so the
// key is closed explicitly there; the destructor closes a key left open on failure.
class COpenKey {
public:
    COpenKey() = default;
    ~COpenKey() { Close(); }
    COpenKey(const COpenKey&) = delete;
    COpenKey& operator=(const COpenKey&) = delete;

    LONG OpenForReading(const SRegistryLocation& location) {
        return RegOpenKeyExA(location.root, location.subKey.c_str(), 0, KEY_QUERY_VALUE, &m_key);
    }
    LONG OpenForWriting(const SRegistryLocation& location) {
        return RegCreateKeyExA(location.root, location.subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                               nullptr, &m_key, nullptr);
    }
    LONG Close() {
        if (m_key == nullptr) {
            return ERROR_SUCCESS;
        }
        const LONG closed = RegCloseKey(m_key);
        m_key = nullptr;
        return closed;
    }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

bool Report(LONG code, LONG* result) {
    if (result != nullptr) {
        *result = code;
    }
    return code == ERROR_SUCCESS;
}

} // namespace

bool CRegistry::HasValue(const char* name, LONG* result) const {
    COpenKey key;
    const LONG opened = key.OpenForReading(m_location);
    if (opened == ERROR_FILE_NOT_FOUND) {
        Report(ERROR_SUCCESS, result);
        return false;
    }
    if (!Report(opened, result)) {
        return false;
    }
    const LONG queried = RegQueryValueExA(key.Get(), name, nullptr, nullptr, nullptr, nullptr);
    if (queried == ERROR_FILE_NOT_FOUND) {
        return false;
    }
    return Report(queried, result);
}

bool CRegistry::SetValue(const char* name, const SRegistryValue& value, LONG* result) const {
    COpenKey key;
    if (!Report(key.OpenForWriting(m_location), result)) {
        return false;
    }
    LONG written = ERROR_SUCCESS;
    switch (value.kind) {
    case ERegistryValueKind::String:
        written = RegSetValueExA(key.Get(), name, 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(value.text.c_str()),
                                 static_cast<DWORD>(value.text.size() + 1));
        break;
    case ERegistryValueKind::Number: {
        const DWORD number = static_cast<DWORD>(value.number);
        written = RegSetValueExA(key.Get(), name, 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&number), sizeof(number));
        break;
    }
    case ERegistryValueKind::Other:
        written = RegSetValueExA(key.Get(), name, 0, REG_SZ, nullptr, 0);
        break;
    default:
        break;
    }
    if (!Report(written, result)) {
        return false;
    }
    return Report(key.Close(), result);
}

bool CRegistry::DeleteValue(const char* name, LONG* result) const {
    COpenKey key;
    if (!Report(key.OpenForWriting(m_location), result)) {
        return false;
    }
    if (!Report(RegDeleteValueA(key.Get(), name), result)) {
        return false;
    }
    return Report(key.Close(), result);
}

bool CRegistry::GetValue(const char* name, SRegistryValue& value, LONG* result) const {
    value.kind = ERegistryValueKind::Other;
    value.text.clear();
    value.number = 0;
    COpenKey key;
    if (!Report(key.OpenForReading(m_location), result)) {
        value.kind = ERegistryValueKind::KeyMissing;
        return false;
    }
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (!Report(RegQueryValueExA(key.Get(), name, nullptr, &type, nullptr, &size), result)) {
        value.kind = ERegistryValueKind::ValueMissing;
        return false;
    }
    if (type == REG_SZ && size > 0) {
        // Sized by the answer above, and one more zero so the text always ends.
        std::vector<char> data(static_cast<size_t>(size) + 1, '\0');
        DWORD read = size;
        if (!Report(RegQueryValueExA(key.Get(), name, nullptr, &type,
                                     reinterpret_cast<BYTE*>(data.data()), &read),
                    result) ||
            type != REG_SZ || read > size) {
            return false;
        }
        value.text.assign(data.data()); // up to the first zero, present or added
        value.kind = ERegistryValueKind::String;
        return true;
    }
    if (type == REG_DWORD && (size == 4 || size == 2 || size == 1)) {
        BYTE data[4] = {};
        DWORD read = size;
        if (!Report(RegQueryValueExA(key.Get(), name, nullptr, &type, data, &read), result) ||
            type != REG_DWORD || read != size) {
            return false;
        }
        if (size == 4) {
            uint32_t number = 0;
            for (int i = 3; i >= 0; --i) {
                number = (number << 8) | data[i];
            }
            value.number = static_cast<int32_t>(number);
        } else if (size == 2) {
            value.number = static_cast<int16_t>(static_cast<uint16_t>(data[0] | (data[1] << 8)));
        } else {
            value.number = static_cast<int8_t>(data[0]);
        }
        value.kind = ERegistryValueKind::Number;
        return true;
    }
    return false;
}
