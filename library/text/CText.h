#pragma once

// CText: a user-visible text. Load a message by its string-table id, fill in its
// placeholders, show it:
//
//   CText message(40270);                          // the CText resource module
//   message.ReplaceWithString("[FILEPATH]", path.GetPath(), true);
//   MessageBoxA(owner, message, caption, MB_OK);
//
// Texts are loaded from the CText resource module (the chosen language module with
// the program as fallback) unless a module is given. A missing id never fails: the
// default text, or an empty text, takes its place.

#include <cstdint>
#include <string>

class CResourceModule;

class CText {
public:
    // A null pointer gives an empty text.
    CText(const char* text = nullptr);
    CText(const std::string& text);
    CText(const CText& other);
    // Loads as LoadFrom does; defaultText may be null.
    CText(unsigned int id, const CResourceModule& module, const char* defaultText = nullptr);
    explicit CText(unsigned int id, const char* defaultText = nullptr);
    virtual ~CText();

    CText& operator=(const CText& other);
    CText& operator=(const std::string& text);
    CText& operator=(const char* text);

    const std::string& GetString() const { return m_text; }
    operator const std::string&() const { return m_text; }
    // The characters, zero-terminated, valid until the text changes.
    const char* GetCStr() const { return m_text.c_str(); }
    const char* GetData() const { return m_text.c_str(); }
    operator const char*() const { return m_text.c_str(); }

    // Replaces the text by string `id` of the module's primary instance, else of its
    // fallback instance; else by defaultText (empty when null). An empty string
    // resource counts as missing.
    void LoadFrom(unsigned int id, const CResourceModule& module,
                  const char* defaultText = nullptr);
    // LoadFrom with the CText resource module.
    void Load(unsigned int id, const char* defaultText = nullptr);

    // Replaces the first occurrence, or every occurrence, of the placeholder by the
    // replacement. Inserted text is never searched again, so a replacement that holds
    // the placeholder is left as it is. An empty or null placeholder changes nothing.
    void Replace(const char* placeholder, const char* replacement, bool firstOnly);
    void ReplaceWithString(const char* placeholder, const std::string& value, bool firstOnly);
    void ReplaceWithText(const char* placeholder, const CText& value, bool firstOnly);
    // Decimal, with a leading "-" when negative.
    void ReplaceWithNumber(const char* placeholder, int32_t value, bool firstOnly);
    void ReplaceWithLong(const char* placeholder, long value, bool firstOnly);
    // "<code as unsigned decimal> - <the system's message for it>"; defaultText in
    // place of the message when the system has none. The system's text keeps the
    // line break it ends with.
    void ReplaceWithSystemError(const char* placeholder, uint32_t code, const char* defaultText,
                                bool firstOnly);
    // ReplaceWithSystemError for the calling thread's last system error.
    void ReplaceWithLastError(const char* placeholder, const char* defaultText, bool firstOnly);

    // Sets the module that texts are loaded from when none is given. It is not owned
    // and must outlive every load; null puts back the module made at start-up (the
    // program, no fallback).
    static void SetResourceModule(CResourceModule* module);

private:
    std::string m_text;
};
