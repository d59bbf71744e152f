#pragma once

// CRegistry: reads and writes single values at one registry location.
//
// Every operation takes an optional out-parameter that receives the last system result
// code of the operation (ERROR_SUCCESS is 0). Nothing is thrown.
//
//   CRegistry run;
//   run.SetLocation({HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run"});
//   LONG result = 0;
//   bool enabled = run.HasValue("Tallymarks", &result);

#include <windows.h>

#include <cstdint>
#include <string>

// A root key (a predefined key such as HKEY_CURRENT_USER) and the path of a sub-key.
struct SRegistryLocation {
    HKEY root;
    std::string subKey;
};

enum class ERegistryValueKind : int32_t {
    KeyMissing = 0,
    ValueMissing = 1,
    Other = 2, // empty, or of a type or size not read
    String = 3,
    Number = 4,
};

struct SRegistryValue {
    ERegistryValueKind kind = ERegistryValueKind::Other;
    std::string text;   // kind String
    int32_t number = 0; // kind Number
};

class CRegistry {
public:
    CRegistry() = default;
    virtual ~CRegistry() = default;

    void SetLocation(const SRegistryLocation& location) { m_location = location; }
    const SRegistryLocation& GetLocation() const { return m_location; }

    // Whether the value exists. A missing key gives false with result 0, not the
    // system's "not found"; a missing value gives false with the opening's result.
    bool HasValue(const char* name, LONG* result = nullptr) const;
    // Writes a String as REG_SZ (with its terminating zero), a Number as REG_DWORD and
    // Other as an empty REG_SZ; the other kinds write nothing. The key is created when
    // missing. True when opening, writing and closing succeeded.
    bool SetValue(const char* name, const SRegistryValue& value, LONG* result = nullptr) const;
    // Deletes the value (the key is created when missing); true when deleting and
    // closing succeeded.
    bool DeleteValue(const char* name, LONG* result = nullptr) const;
    // Reads a REG_SZ value as String (text up to its first zero, which the data may
    // lack) and a REG_DWORD value of 4, 2 or 1 bytes as a sign-extended Number. A
    // missing key gives KeyMissing, a missing value ValueMissing, a REG_SZ without data
    // or any other type or size Other; each of these returns false.
    bool GetValue(const char* name, SRegistryValue& value, LONG* result = nullptr) const;

private:
    SRegistryLocation m_location{HKEY_CURRENT_USER, std::string()};
};
