#pragma once

// CINISetting: one key=value line of an INI section, with typed access.
//
// An empty value means "not set": every getter then returns its default. Numbers are
// written and read in decimal, flags as "y"/"n", doubles with eight decimals; the
// decimal point is always ".", whatever the runtime library's locale says.

#include <cstdint>
#include <string>

class CINISetting {
public:
    // The key keeps the spelling given here; lookups ignore its letter case.
    explicit CINISetting(std::string key);
    virtual ~CINISetting() = default;

    const std::string& GetKey() const { return m_key; }

    // The value, or the default when the value is empty (the default may be null).
    // The pointer stays valid until the value changes.
    const char* GetString(const char* defaultValue) const;
    std::string GetStringStd(const std::string& defaultValue) const;
    // Standard conversions: leading blanks, sign, digits; 0 when there are no digits.
    int32_t GetInt(int32_t defaultValue) const;
    uint32_t GetUInt(uint32_t defaultValue) const;
    double GetDouble(double defaultValue) const;
    // By the first character: "0FNfn" false, "1TYty" true, anything else the default.
    bool GetBool(bool defaultValue) const;

    void SetString(const std::string& value) { m_value = value; }
    void SetString(const char* value);
    void SetInt(int32_t value);
    void SetUInt(uint32_t value);
    void SetBool(bool value);
    void SetDouble(double value);

private:
    std::string m_key;
    std::string m_value;
};
