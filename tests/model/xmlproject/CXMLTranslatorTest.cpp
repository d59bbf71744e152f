#include "model/CXMLTranslator.h"

#include "model/CWKPTranslator.h"
#include "model/ProjectFileLimits.h"

#include "xmlParser/SXMLOptions.h"

#include "XMLProjectTestHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <cstdlib>
#include <ctime>

namespace {

using namespace xmlprojecttest;

// The C runtime's zone set from a TZ text for the life of the object: a writer that went
// through mktime would shift times in the daylight-saving gaps of this zone.
class CRuntimeZone {
public:
    explicit CRuntimeZone(const char* tz) : m_old(std::getenv("TZ") ? std::getenv("TZ") : "") {
        Set(std::string("TZ=") + tz);
    }
    ~CRuntimeZone() { Set("TZ=" + m_old); }

private:
    static void Set(const std::string& assignment) {
        _putenv(assignment.c_str());
        _tzset();
    }
    std::string m_old;
};

// The saved text with each activity's tally-mark lines sorted: a collection keeps no
// order of its own, so a reloaded one may write them in another order.
std::string WithTallymarksSorted(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find('\n', start);
        const size_t next = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, next - start));
        start = next;
    }
    auto isTallymark = [](const std::string& line) {
        return line.find("<Tallymark ") != std::string::npos;
    };
    for (auto run = lines.begin(); run != lines.end();) {
        auto runEnd = std::find_if_not(run, lines.end(), isTallymark);
        std::sort(run, runEnd);
        run = runEnd == run ? run + 1 : runEnd;
    }
    std::string sorted;
    for (const std::string& line : lines) {
        sorted += line;
    }
    return sorted;
}

TEST(CXMLTranslator, RoundTripKeepsEveryActivityFlagNameAndTallymark) {
    // Central Europe, with the United States' rule for the change to summer time.
    CRuntimeZone zone("CET-1CEST");
    const char* projectNames[] = {"Caf\xE9 project", "", "   ", " padded ", "\t", "&#32;<&>"};
    for (const char* projectName : projectNames) {
        CProjectState original;
        original.SetName(projectName);
        CActivity* work = Add(original, "Work", true);
        CActivity* design = Add(original, "Design", false, work);
        Add(original, "deep", true, Add(original, "deeper", false, design));
        CActivity* home = Add(original, "Home", true);
        for (const char* name : {"", "   ", "Caf\xE9", " <a & \"b\" 'c'> ", "tab\there\nline"}) {
            Add(original, name, name[0] != ' ', home);
        }
        AddTallymark(work, At(2010, 3, 15, 9, 5, 0), At(2010, 3, 15, 12, 0, 0));
        AddTallymark(work, At(1999, 12, 31, 23, 0, 0), At(2000, 1, 1, 1, 0, 0));
        AddTallymark(design, At(2010, 3, 28, 2, 30, 0), At(2010, 3, 28, 3, 15, 0));
        AddTallymark(design, At(2010, 3, 14, 2, 30, 0), At(2010, 10, 31, 2, 30, 0));
        AddTallymark(home->GetLastChild(), At(100, 1, 1, 0, 0, 0), At(9999, 12, 31, 0, 0, 0));
        AddTallymark(home, At(2024, 5, 1, 8, 0, 0), CTallymark::GetNullDate());
        const std::string bytes = Save(original);

        CProjectState loaded;
        const SReadResult result = Read(bytes, loaded);
        EXPECT_EQ(trOK, result.identify);
        EXPECT_EQ(trOK, result.load);
        EXPECT_EQ(Describe(original), Describe(loaded));
        EXPECT_TRUE(loaded.IsWorking());
        EXPECT_EQ(WithTallymarksSorted(bytes), WithTallymarksSorted(Save(loaded)))
            << "saving what was loaded gives the same document";
    }
}

TEST(CXMLTranslator, WritesTheDocumentByteForByte) {
    CProjectState state;
    state.SetName("Caf\xE9");
    CActivity* work = Add(state, "\x80 5", true);
    AddTallymark(work, At(2010, 3, 28, 2, 30, 0), At(2010, 3, 28, 3, 5, 9));
    AddTallymark(Add(state, "Off", false, work), At(1999, 1, 2, 3, 4, 5),
                 CTallymark::GetNullDate());
    Add(state, "Empty", true);
    // Tally marks of the root itself stand before the activities.
    AddTallymark(state.GetRootActivity(), At(2011, 1, 1, 0, 0, 0), At(2011, 1, 1, 1, 0, 0));

    EXPECT_EQ(kHeader +
                  "<TallymarksProject version=\"0.0.0.1\">\n"
                  "\t<Name>Caf\xC3\xA9</Name>\n"
                  "\t<Tallymark start=\"2011-01-01 00:00:00\" end=\"2011-01-01 01:00:00\"/>\n"
                  "\t<Activity enabled=\"true\" name=\"\xE2\x82\xAC 5\">\n"
                  "\t\t<Tallymark start=\"2010-03-28 02:30:00\" end=\"2010-03-28 03:05:09\"/>\n"
                  "\t\t<Activity enabled=\"false\" name=\"Off\">\n"
                  "\t\t\t<Tallymark start=\"1999-01-02 03:04:05\" open=\"true\"/>\n"
                  "\t\t</Activity>\n"
                  "\t</Activity>\n"
                  "\t<Activity enabled=\"true\" name=\"Empty\"/>\n"
                  "</TallymarksProject>\n",
              Save(state));
}

TEST(CXMLTranslator, ProjectsLoadBackEqualFromBothFormats) {
    CProjectState original;
    original.SetName("Both");
    CActivity* root = original.GetRootActivity();
    AddTallymark(root, At(2011, 1, 1, 0, 0, 0), At(2011, 1, 1, 1, 0, 0));
    AddTallymark(root, At(2012, 2, 29, 23, 59, 59), At(2012, 3, 1, 0, 0, 1));
    CActivity* work = Add(original, "Work", true);
    AddTallymark(work, At(2010, 3, 15, 9, 5, 0), At(2010, 3, 15, 12, 0, 0));
    AddTallymark(Add(original, "Off", false, work), At(2024, 5, 1, 8, 0, 0),
                 CTallymark::GetNullDate());

    CDataStream binary;
    CWKPTranslator(original, binary).Save();
    CProjectState fromBinary;
    binary.Rewind();
    CWKPTranslator binaryReader(fromBinary, binary);
    ASSERT_EQ(trOK, binaryReader.Identify());
    ASSERT_EQ(trOK, binaryReader.Load());
    ASSERT_EQ(Describe(original), Describe(fromBinary));

    CProjectState fromXML;
    ASSERT_EQ(trOK, Read(Save(fromBinary), fromXML).load);
    EXPECT_EQ(Describe(original), Describe(fromXML)) << "the root's tally marks included";
}

TEST(CXMLTranslator, NamesKeepTheirCodePage) {
    CProjectState original;
    original.SetName("\xCF\xF0\xE8\xE2\xE5\xF2"); // Cyrillic in Windows-1251
    Add(original, "\xE8", true);
    const std::string bytes = Save(original, 1251);
    EXPECT_NE(std::string::npos,
              bytes.find("<Name>\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"));
    CProjectState loaded;
    EXPECT_EQ(trOK, Read(bytes, loaded, 1251).load);
    EXPECT_EQ(Describe(original), Describe(loaded));
}

TEST(CXMLTranslator, DeepTreesUpToTheLimitRoundTrip) {
    for (int depth : {kMaxActivityDepth, kMaxActivityDepth + 1}) {
        CProjectState original;
        CActivity* parent = nullptr;
        for (int level = 1; level <= depth; ++level) {
            parent = Add(original, "L" + std::to_string(level), level % 2 == 0, parent);
        }
        AddTallymark(parent, At(2010, 1, 1, 0, 0, 0), At(2010, 1, 1, 0, 0, 1));

        CProjectState loaded;
        const SReadResult result = Read(Save(original), loaded);
        EXPECT_EQ(trOK, result.identify);
        EXPECT_EQ(depth <= kMaxActivityDepth ? trOK : trDamaged, result.load);
        if (result.load == trOK) {
            EXPECT_EQ(Describe(original), Describe(loaded));
        }
    }
}

TEST(CXMLTranslator, LeavesTheParserOptionsAsTheyWere) {
    SXMLOptions& options = SXMLOptions::Current();
    const SXMLOptions saved = options;
    CXMLNode::SetParserOptions(xenShiftJIS, false, false, false);
    CProjectState state;
    Add(state, "Caf\xE9", true);
    CProjectState loaded;
    EXPECT_EQ(trOK, Read(Save(state), loaded).load);
    EXPECT_EQ(Describe(state), Describe(loaded));
    EXPECT_EQ(xenShiftJIS, options.encoding);
    EXPECT_FALSE(options.guessWideCharacters || options.dropWhiteSpace ||
                 options.removeCommentsInMiddleOfText);
    options = saved;
}

} // namespace
