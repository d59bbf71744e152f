#pragma once

// CFilePath: the path of a file on disk (above all a project file) in one canonical
// form: absolute, backslashes, long names. Two spellings of the same existing file
// compare equal, so the set of open projects can key its projects by this value.
//
//   CFilePath path("..\\plans/PLAN~1.WKP");
//   path.IsValid();   // true: the file existed and its long form was obtained
//   path == CFilePath("C:\\Work\\plans\\Plan 2010.wkp");
//
// A default-made path holds a placeholder text that is unique to that object (and
// its copies): it equals no other path, not even another unset one.

#include <string>

class CFilePath {
public:
    CFilePath();
    CFilePath(const char* text);
    CFilePath(const std::string& text);
    CFilePath(const CFilePath& other);
    virtual ~CFilePath();

    CFilePath& operator=(const CFilePath& other);

    // Stores the text normalised (see Normalise) and its lower-cased comparison key.
    // Returns IsValid(). A null text counts as empty.
    bool Set(const char* text);
    bool SetFromString(const std::string& text);

    // True when the last Set made the path absolute, the file existed and its long
    // form was obtained.
    bool IsValid() const { return m_valid; }
    // As normalised by the last Set, as far as normalisation got.
    const std::string& GetPath() const { return m_path; }
    const std::string& GetLowerCasePath() const { return m_key; }
    // The part after the last backslash; the whole path when it holds none.
    const std::string& GetFileName() const;
    // Whether the path exists now (no access rights are asked).
    bool Exists() const;

    // Byte-wise equality of the comparison keys.
    bool operator==(const CFilePath& other) const { return m_key == other.m_key; }
    // Normalises a copy of the text and compares it with the key, ignoring case.
    bool Equals(const char* text) const;
    bool Equals(const std::string& text) const;

    // In place: "/" to "\", then the full path, then (when the path exists) its long
    // form. True only when all three succeeded; on failure the text is left as the
    // last step that succeeded made it.
    static bool Normalise(std::string& path);
    // Replaces an existing path by its long form; false (text unchanged) on failure.
    static bool MakeLongPath(std::string& path);

private:
    bool m_valid;
    std::string m_path;
    mutable std::string m_fileName; // cache, empty until asked for
    std::string m_key;
};
