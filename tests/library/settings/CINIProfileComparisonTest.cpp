// Our INI rules against the system's profile functions (Wine's GetPrivateProfile*):
// on files inside the subset both define alike, they must read the same sections, keys
// and values; outside it, the documented differences hold.

#include "library/settings/CINIFile.h"

#include "../system/CScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

struct SModelSection {
    std::string name;
    std::vector<std::pair<std::string, std::string>> settings; // key, value
};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return text;
}

// Generated files of the common subset: CRLF lines, names unique without regard to
// case, no leading ";" or "[", no "=" in keys, no quotes, CR, LF or outer blanks in
// values; blanks round "=" and round lines vary.
class CGenerator {
public:
    explicit CGenerator(unsigned seed) : m_random(seed) {}

    std::vector<SModelSection> Model() {
        std::vector<SModelSection> sections;
        std::set<std::string> sectionNames;
        const int sectionCount = Pick(1, 6);
        while (static_cast<int>(sections.size()) < sectionCount) {
            SModelSection section;
            section.name = Name();
            if (!sectionNames.insert(Lower(section.name)).second) {
                continue;
            }
            std::set<std::string> keys;
            const int settingCount = Pick(0, 8);
            for (int i = 0; i < settingCount; ++i) {
                std::string key = Name();
                if (keys.insert(Lower(key)).second) {
                    section.settings.emplace_back(key, Value());
                }
            }
            sections.push_back(section);
        }
        return sections;
    }

    std::string FileText(const std::vector<SModelSection>& model) {
        std::string text;
        for (const SModelSection& section : model) {
            text += Blanks() + "[" + Blanks() + section.name + Blanks() + "]" + Blanks() + "\r\n";
            for (const auto& setting : section.settings) {
                text += Blanks() + setting.first + Blanks() + "=" + Blanks() + setting.second +
                        Blanks() + "\r\n";
                if (Pick(0, 4) == 0) {
                    text += "\r\n";
                }
            }
        }
        return text;
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    std::string Inner(const char* alphabet, int minimum, int maximum) {
        const std::string characters = alphabet;
        std::string text;
        const int length = Pick(minimum, maximum);
        for (int i = 0; i < length; ++i) {
            text +=
                characters[static_cast<size_t>(Pick(0, static_cast<int>(characters.size()) - 1))];
        }
        return text;
    }

    // Letters of both cases, digits and a few signs; a blank only inside.
    std::string Name() {
        const char* alphabet = "abcXYZqQ019_.-";
        std::string name = Inner(alphabet, 1, 1) + Inner("abcXYZqQ019_.- ", 0, 8);
        if (name.back() == ' ') {
            name.back() = 'k';
        }
        return name;
    }

    std::string Value() {
        if (Pick(0, 5) == 0) {
            return "";
        }
        std::string value = Inner("abcXYZ0123456789_.-:\\/ =,;!", 1, 24);
        value.front() = value.front() == ' ' ? 'v' : value.front();
        value.back() = value.back() == ' ' ? 'v' : value.back();
        return value;
    }

    std::string Blanks() { return Inner(" \t", 0, 2); }

    std::mt19937 m_random;
};

std::string ProfileString(const std::string& path, const char* section, const char* key) {
    char buffer[4096] = {};
    GetPrivateProfileStringA(section, key, "<none>", buffer, sizeof(buffer), path.c_str());
    return buffer;
}

// A zero-separated list from the profile functions.
std::vector<std::string> SplitList(const char* data, DWORD length) {
    std::vector<std::string> items;
    const char* entry = data;
    while (entry < data + length && *entry != '\0') {
        items.push_back(entry);
        entry += items.back().size() + 1;
    }
    return items;
}

std::vector<std::string> ProfileSectionNames(const std::string& path) {
    std::vector<char> buffer(65536, '\0');
    const DWORD length = GetPrivateProfileSectionNamesA(
        buffer.data(), static_cast<DWORD>(buffer.size()), path.c_str());
    return SplitList(buffer.data(), length);
}

std::vector<std::string> ProfileKeys(const std::string& path, const std::string& section) {
    std::vector<char> buffer(65536, '\0');
    const DWORD length = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), path.c_str());
    return SplitList(buffer.data(), length);
}

// The lines of a section as the profile functions give them ("key=value").
std::vector<std::string> ProfileSection(const std::string& path, const char* section) {
    std::vector<char> buffer(65536, '\0');
    const DWORD length = GetPrivateProfileSectionA(section, buffer.data(),
                                                   static_cast<DWORD>(buffer.size()), path.c_str());
    return SplitList(buffer.data(), length);
}

std::string OurString(CINIFile& ini, const std::string& section, const std::string& key) {
    CINISection* found = ini.GetSection(section, false);
    CINISetting* setting = found != nullptr ? found->GetSettingStd(key, false) : nullptr;
    return setting != nullptr ? setting->GetStringStd("") : "<none>";
}

// The text our writer must give for a model: sorted by lower-cased names.
std::string Written(std::vector<SModelSection> model) {
    std::sort(model.begin(), model.end(), [](const SModelSection& a, const SModelSection& b) {
        return Lower(a.name) < Lower(b.name);
    });
    std::string text;
    for (SModelSection& section : model) {
        std::sort(section.settings.begin(), section.settings.end(),
                  [](const auto& a, const auto& b) { return Lower(a.first) < Lower(b.first); });
        text += (text.empty() ? "" : "\r\n\r\n") + ("[" + section.name + "]");
        for (const auto& setting : section.settings) {
            text += "\r\n" + setting.first + "=" + setting.second;
        }
    }
    return text;
}

TEST(CINIProfileComparisonTest, GeneratedFilesReadAlike) {
    CScratchFolder scratch;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        CGenerator generator(seed);
        const std::vector<SModelSection> model = generator.Model();
        const std::string file = "gen" + std::to_string(seed) + ".ini";
        ASSERT_TRUE(scratch.Write(file, generator.FileText(model)));
        const std::string path = scratch.File(file);

        CINIFile ini;
        ASSERT_TRUE(ini.Load(path.c_str()));
        EXPECT_EQ(ini.BuildText(), Written(model)) << "seed " << seed;

        std::vector<std::string> names;
        for (const SModelSection& section : model) {
            names.push_back(section.name);
            std::vector<std::string> keys;
            for (const auto& setting : section.settings) {
                keys.push_back(setting.first);
                const std::string ours = OurString(ini, section.name, setting.first);
                const std::string theirs =
                    ProfileString(path, section.name.c_str(), setting.first.c_str());
                EXPECT_EQ(ours, setting.second)
                    << "seed " << seed << " [" << section.name << "] " << setting.first;
                EXPECT_EQ(theirs, ours)
                    << "seed " << seed << " [" << section.name << "] " << setting.first;
            }
            EXPECT_EQ(ProfileKeys(path, section.name), keys) << "seed " << seed;
        }
        EXPECT_EQ(ProfileSectionNames(path), names) << "seed " << seed;
    }
}

class CINIDifferenceTest : public ::testing::Test {
protected:
    // Writes text to a file of its own (the profile functions cache files by name) and
    // loads it with our reader.
    std::string Prepare(const std::string& text) {
        const std::string name = "diff" + std::to_string(++m_count) + ".ini";
        EXPECT_TRUE(m_scratch.Write(name, text));
        m_ini = std::make_unique<CINIFile>();
        EXPECT_TRUE(m_ini->Load(m_scratch.File(name).c_str()));
        return m_scratch.File(name);
    }

    CScratchFolder m_scratch;
    std::unique_ptr<CINIFile> m_ini;
    int m_count = 0;
};

TEST_F(CINIDifferenceTest, ValuesReadOtherwise) {
    struct SCase {
        const char* what;
        std::string text;
        const char* key;
        const char* ours;
        const char* theirs;
    };
    const SCase cases[] = {
        {"the later duplicate wins with us", "[s]\r\nk=1\r\nK=2\r\n[S]\r\nk=3", "k", "3", "1"},
        {"LF alone ends no line with us", "[s]\nk=v\n", "k", "<none>", "v"},
        {"CR alone ends no line with us", "[s]\r\nk=a\rb=c\r\n", "k", "a\rb=c", "a"},
        {"CR alone ends no line with us", "[s]\r\nk=a\rb=c\r\n", "b", "<none>", "c"},
        {"quotes stay with us", "[s]\r\nk=\"  a b  \"", "k", "\"  a b  \"", "  a b  "},
        // Not a difference (any more): both skip a UTF-8 byte-order mark.
        {"a byte-order mark is skipped by both", "\xEF\xBB\xBF[s]\r\nk=v", "k", "v", "v"},
    };
    for (const SCase& c : cases) {
        const std::string path = Prepare(c.text);
        EXPECT_EQ(OurString(*m_ini, "s", c.key), c.ours) << c.what;
        EXPECT_EQ(ProfileString(path, "s", c.key), c.theirs) << c.what;
    }
}

TEST_F(CINIDifferenceTest, SemicolonStartsNoCommentWithUs) {
    const std::string path = Prepare("[s]\r\n;k=v\r\nx=1");
    EXPECT_EQ(OurString(*m_ini, "s", ";k"), "v");
    EXPECT_EQ(m_ini->BuildText(), "[s]\r\n;k=v\r\nx=1");
    // The profile functions list the line as a comment, not as a key.
    EXPECT_EQ(ProfileKeys(path, "s"), std::vector<std::string>{"x"});
    EXPECT_EQ(ProfileSection(path, "s"), std::vector<std::string>{"x=1"});
}

TEST_F(CINIDifferenceTest, LinesWithoutAKeyAreDroppedByUs) {
    const std::string path = Prepare("[s]\r\n=v\r\nlonely\r\nk=w");
    EXPECT_EQ(m_ini->BuildText(), "[s]\r\nk=w");
    const std::vector<std::string> lines = ProfileSection(path, "s");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "=v"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "lonely"), lines.end());
}

TEST_F(CINIDifferenceTest, WeWriteSortedWithoutAFinalLineEnd) {
    const std::string profilePath = m_scratch.File("profile.ini");
    ASSERT_TRUE(WritePrivateProfileStringA("s", "b", "1", profilePath.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("s", "A", "2", profilePath.c_str()));
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, profilePath.c_str()); // flush
    const std::string theirs = m_scratch.Read("profile.ini");

    CINIFile ini;
    CINISection* section = ini.GetSection("s", true);
    section->GetSetting("b", true)->SetString("1");
    section->GetSetting("A", true)->SetString("2");
    ASSERT_TRUE(ini.Save(m_scratch.File("ours.ini").c_str()));
    EXPECT_EQ(m_scratch.Read("ours.ini"), "[s]\r\nA=2\r\nb=1");
    EXPECT_EQ(theirs, "[s]\r\nb=1\r\nA=2\r\n");
}

} // namespace
