#include "library/settings/CRegistry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A key of this test program alone under HKEY_CURRENT_USER, removed afterwards.
class CRegistryTest : public ::testing::Test {
protected:
    CRegistryTest()
        : m_parent("Software\\TallymarksTest" + std::to_string(GetCurrentProcessId())),
          m_subKey(m_parent + "\\Values") {
        m_registry.SetLocation({HKEY_CURRENT_USER, m_subKey});
    }
    ~CRegistryTest() override { RegDeleteTreeA(HKEY_CURRENT_USER, m_parent.c_str()); }

    bool KeyExists() const {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, m_subKey.c_str(), 0, KEY_READ, &key) !=
            ERROR_SUCCESS) {
            return false;
        }
        RegCloseKey(key);
        return true;
    }

    // Writes raw data the way another program might have left it.
    void WriteRaw(const char* name, DWORD type, const void* data, DWORD size) const {
        ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, m_subKey.c_str(), name, type, data, size),
                  ERROR_SUCCESS);
    }

    // The stored type and bytes of a value; type REG_NONE and "<missing>" when absent.
    std::string ReadRaw(const char* name, DWORD& type) const {
        char data[256] = {};
        DWORD size = sizeof(data);
        type = REG_NONE;
        if (RegGetValueA(HKEY_CURRENT_USER, m_subKey.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND,
                         &type, data, &size) != ERROR_SUCCESS) {
            return "<missing>";
        }
        return std::string(data, size);
    }

    std::string m_parent;
    std::string m_subKey;
    CRegistry m_registry;
};

TEST_F(CRegistryTest, HasValueOnAMissingKeyReportsNoError) {
    LONG result = 12345;
    EXPECT_FALSE(m_registry.HasValue("Tallymarks", &result));
    EXPECT_EQ(result, ERROR_SUCCESS);
    EXPECT_FALSE(KeyExists()) << "asking must not create the key";

    WriteRaw("Other", REG_DWORD, "\1\0\0\0", 4);
    result = 12345;
    EXPECT_FALSE(m_registry.HasValue("Tallymarks", &result));
    EXPECT_EQ(result, ERROR_SUCCESS);

    WriteRaw("Tallymarks", REG_SZ, "\"C:\\stale path\\x.exe\"", 22);
    EXPECT_TRUE(m_registry.HasValue("Tallymarks", &result));
    EXPECT_EQ(result, ERROR_SUCCESS);
    EXPECT_TRUE(m_registry.HasValue("tallymarks")) << "value names ignore letter case";
}

TEST_F(CRegistryTest, SetValueWritesEachKindAsStored) {
    struct SCase {
        const char* name;
        SRegistryValue value;
        DWORD type;
        std::string bytes;
    };
    const SCase cases[] = {
        {"text",
         {ERegistryValueKind::String, "\"C:\\a b\\x.exe\"", 0},
         REG_SZ,
         std::string("\"C:\\a b\\x.exe\"") + '\0'},
        {"empty text", {ERegistryValueKind::String, "", 0}, REG_SZ, std::string("\0", 1)},
        {"number", {ERegistryValueKind::Number, "", -2}, REG_DWORD, "\xFE\xFF\xFF\xFF"},
        {"other", {ERegistryValueKind::Other, "ignored", 9}, REG_SZ, ""},
    };
    for (const SCase& c : cases) {
        LONG result = 12345;
        EXPECT_TRUE(m_registry.SetValue(c.name, c.value, &result)) << c.name;
        EXPECT_EQ(result, ERROR_SUCCESS) << c.name;
        DWORD type = REG_NONE;
        EXPECT_EQ(ReadRaw(c.name, type), c.bytes) << c.name;
        EXPECT_EQ(type, c.type) << c.name;
    }
    for (ERegistryValueKind kind :
         {ERegistryValueKind::KeyMissing, ERegistryValueKind::ValueMissing}) {
        EXPECT_TRUE(m_registry.SetValue("nothing", SRegistryValue{kind, "x", 1}));
        EXPECT_FALSE(m_registry.HasValue("nothing"));
    }
}

TEST_F(CRegistryTest, GetValueReadsWhatOthersStored) {
    WriteRaw("terminated", REG_SZ, "abc", 4);
    WriteRaw("unterminated", REG_SZ, "abc", 3);
    WriteRaw("empty", REG_SZ, "", 1);
    WriteRaw("no data", REG_SZ, nullptr, 0);
    WriteRaw("dword", REG_DWORD, "\x78\x56\x34\x12", 4);
    WriteRaw("word", REG_DWORD, "\xFE\xFF", 2);
    WriteRaw("byte", REG_DWORD, "\x80", 1);
    WriteRaw("three bytes", REG_DWORD, "\1\2\3", 3);
    WriteRaw("binary", REG_BINARY, "\1\2\3\4", 4);
    WriteRaw("expand", REG_EXPAND_SZ, "%TEMP%", 7);

    struct SCase {
        const char* name;
        bool read;
        ERegistryValueKind kind;
        std::string text;
        int32_t number;
    };
    const SCase cases[] = {
        {"terminated", true, ERegistryValueKind::String, "abc", 0},
        {"unterminated", true, ERegistryValueKind::String, "abc", 0},
        {"empty", true, ERegistryValueKind::String, "", 0},
        {"no data", false, ERegistryValueKind::Other, "", 0},
        {"dword", true, ERegistryValueKind::Number, "", 0x12345678},
        {"word", true, ERegistryValueKind::Number, "", -2},
        {"byte", true, ERegistryValueKind::Number, "", -128},
        {"three bytes", false, ERegistryValueKind::Other, "", 0},
        {"binary", false, ERegistryValueKind::Other, "", 0},
        {"expand", false, ERegistryValueKind::Other, "", 0},
        {"absent", false, ERegistryValueKind::ValueMissing, "", 0},
    };
    for (const SCase& c : cases) {
        SRegistryValue value{ERegistryValueKind::Number, "left over", 77};
        EXPECT_EQ(m_registry.GetValue(c.name, value), c.read) << c.name;
        EXPECT_EQ(value.kind, c.kind) << c.name;
        EXPECT_EQ(value.text, c.text) << c.name;
        EXPECT_EQ(value.number, c.number) << c.name;
    }
}

TEST_F(CRegistryTest, GetValueOnAMissingKey) {
    SRegistryValue value;
    LONG result = 0;
    EXPECT_FALSE(m_registry.GetValue("x", value, &result));
    EXPECT_EQ(value.kind, ERegistryValueKind::KeyMissing);
    EXPECT_EQ(result, ERROR_FILE_NOT_FOUND);
}

TEST_F(CRegistryTest, DeleteValue) {
    LONG result = 0;
    EXPECT_FALSE(m_registry.DeleteValue("v", &result));
    EXPECT_EQ(result, ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(KeyExists()) << "the key is created to delete from";

    ASSERT_TRUE(m_registry.SetValue("v", {ERegistryValueKind::Number, "", 1}));
    EXPECT_TRUE(m_registry.DeleteValue("v", &result));
    EXPECT_EQ(result, ERROR_SUCCESS);
    EXPECT_FALSE(m_registry.HasValue("v"));
}

TEST_F(CRegistryTest, FailuresReportTheSystemCode) {
    // A root that is no key: every operation answers with the system's code.
    CRegistry invalid;
    invalid.SetLocation({reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234)), "x"});
    LONG result = ERROR_SUCCESS;
    EXPECT_FALSE(invalid.SetValue("v", {ERegistryValueKind::Number, "", 1}, &result));
    EXPECT_NE(result, ERROR_SUCCESS);
    result = ERROR_SUCCESS;
    EXPECT_FALSE(invalid.DeleteValue("v", &result));
    EXPECT_NE(result, ERROR_SUCCESS);
    result = ERROR_SUCCESS;
    EXPECT_FALSE(invalid.HasValue("v", &result));
    EXPECT_NE(result, ERROR_SUCCESS);
}

} // namespace
