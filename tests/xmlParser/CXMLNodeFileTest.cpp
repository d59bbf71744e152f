#include "XMLTestSupport.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// Each test works in a file of its own in the working folder, removed afterwards.
class FileTest : public XMLTest {
protected:
    void SetUp() override {
        XMLTest::SetUp();
        m_path = std::string("xmlfile_") +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".xml";
    }
    void TearDown() override {
        std::remove(m_path.c_str());
        XMLTest::TearDown();
    }
    void Write(const std::string& bytes) { std::ofstream(m_path, std::ios::binary) << bytes; }
    std::string Read() {
        std::ifstream in(m_path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static std::string UTF16(const std::string& ascii, bool mark) {
        std::string bytes = mark ? "\xFF\xFE" : "";
        for (char c : ascii) {
            bytes += c;
            bytes += '\0';
        }
        return bytes;
    }
    std::string m_path;
};

const std::string kBOM = "\xEF\xBB\xBF";

TEST_F(FileTest, SaveToFileWritesHeaderAndByteOrderMarkByEncoding) {
    CXMLNode r = CXMLNode::CreateTopNode("r");
    r.AddChild("c").AddText("x");
    const struct {
        EXMLEncoding encoding;
        const char* name;
        std::string header;
    } cases[] = {
        {xenUTF8, "latin1", kBOM + "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"},
        {xenShiftJIS, nullptr, "<?xml version=\"1.0\" encoding=\"SHIFT-JIS\"?>\n"},
        {xenLegacy, "windows-1252", "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n"},
        {xenLegacy, nullptr, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"},
    };
    for (const auto& test : cases) {
        CXMLNode::SetParserOptions(test.encoding);
        EXPECT_EQ(xeNone, r.SaveToFile(m_path.c_str(), test.name, true));
        EXPECT_EQ(test.header + "<r>\n\t<c>x</c>\n</r>\n", Read());
    }
    CXMLNode::SetParserOptions();
    CXMLNode declared = CXMLNode::CreateTopNode("xml version='1.0'", true);
    declared.AddChild("p");
    EXPECT_EQ(xeNone, declared.SaveToFile(m_path.c_str(), "ignored", false));
    EXPECT_EQ(kBOM + "<?xml version='1.0'?><p/>", Read());
    CXMLNode::SetParserOptions(xenLegacy);
    CXMLNode root = CXMLNode::CreateTopNode();
    root.AddChild("xml", true).AddAttribute("v", "1");
    root.AddChild("q");
    EXPECT_EQ(xeNone, root.SaveToFile(m_path.c_str()));
    EXPECT_EQ("<?xml v=\"1\"?>\n<q/>\n", Read());
}

TEST_F(FileTest, SaveToFileReportsWhatFailedAndTouchesNothingForTheEmptyNode) {
    EXPECT_EQ(xeNone, CXMLNode().SaveToFile(m_path.c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_path.c_str()));
    CXMLNode r = CXMLNode::CreateTopNode("r");
    EXPECT_EQ(xeCannotOpenWriteFile, r.SaveToFile("no_such_folder\\r.xml"));
    EXPECT_EQ(xeCannotOpenWriteFile, r.SaveToFile(nullptr));
}

TEST_F(FileTest, LoadFileReadsUTF8AndUTF16Files) {
    const struct {
        std::string bytes;
        EXMLError error;
        const char* tree;
    } cases[] = {
        {kBOM + "<?xml version='1.0'?><r a='\xC3\xA9'/>", xeNone, "<r a=\xC3\xA9></>"},
        {"<r>plain</r>", xeNone, "<r>'plain'</>"},
        {UTF16("<r a='1'>text</r>", true), xeNone, "<r a=1>'text'</>"},
        {UTF16("<r a='1'>text and more text</r>", false), xeNone, "<r a=1>'text and more text'</>"},
        {"", xeNoXMLData, "(empty)"},
        {"<x/>", xeFirstTagNotFound, "(empty)"},
    };
    for (const auto& test : cases) {
        Write(test.bytes);
        SXMLResults results;
        CXMLNode r = CXMLNode::LoadFile(m_path.c_str(), "r", &results);
        EXPECT_EQ(test.error, results.error) << test.tree;
        EXPECT_EQ(test.tree, Dump(r));
    }
    SXMLResults results;
    EXPECT_TRUE(CXMLNode::LoadFile("missing.xml", nullptr, &results).IsEmpty());
    EXPECT_EQ(xeFileNotFound, results.error);

    // With the UTF-16 test off, neither conversion nor a skipped byte-order mark.
    CXMLNode::SetParserOptions(xenUTF8, false);
    Write(kBOM + "<r/>");
    EXPECT_EQ("<#>'" + kBOM + "'<r></></>", Dump(CXMLNode::LoadFile(m_path.c_str())));
}

TEST_F(FileTest, SavedTreesLoadBackTheSame) {
    CXMLNode top = CXMLNode::CreateTopNode("Project");
    top.AddAttribute("name", "\xE2\x82\xAC & <more>");
    for (int i = 0; i < 50; ++i) {
        top.AddChild("Mark").AddAttribute("i", std::to_string(i).c_str());
    }
    ASSERT_EQ(xeNone, top.SaveToFile(m_path.c_str()));
    SXMLResults results;
    CXMLNode back = CXMLNode::LoadFile(m_path.c_str(), "Project", &results);
    EXPECT_EQ(xeNone, results.error);
    EXPECT_EQ(Dump(top), Dump(back));
}

TEST_F(FileTest, DetectEncodingReadsMarkBytesAndDeclaration) {
    const struct {
        std::string bytes;
        bool useDeclaration;
        EXMLEncoding expected;
    } cases[] = {
        {"<r/>", true, xenError},
        {kBOM + "<?xml version='1.0' encoding='latin1'?>", true, xenUTF8},
        {"<?xml version='1.0'?><r>caf\xC3\xA9</r>", true, xenUTF8},
        {"<?xml version='1.0'?><r>caf\xE9 ok</r>", true, xenLegacy},
        {"<?xml version='1.0' encoding = \" UTF-8\"?><r/>", true, xenUTF8},
        {"<?xml version='1.0' encoding='utf8'?><r>caf\xE9</r>", true, xenError},
        {"<?xml version='1.0' encoding='Shift-JIS'?><r/>", true, xenShiftJIS},
        {"<?xml version='1.0' encoding='sjis'?><r/>", true, xenShiftJIS},
        {"<?xml version='1.0' encoding='windows-1252'?><r/>", true, xenLegacy},
        {"<?xml version='1.0' encoding='windows-1252'?><r/>", false, xenUTF8},
        {"<?xml version='1.0' encoding=windows-1252?><r/>", true, xenUTF8},
        {"<?xml version='1.0'?><r>cut at the end \xE2\x82", true, xenUTF8},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(test.expected, CXMLNode::DetectEncoding(test.bytes.data(), test.bytes.size(),
                                                          test.useDeclaration))
            << test.bytes;
    }
    std::string wide = UTF16("<?xml version='1.0'?><r>text</r>", true);
    EXPECT_EQ(xenError, CXMLNode::DetectEncoding(wide.data(), wide.size()));
}

TEST_F(FileTest, LoadFileOrExitReturnsAGoodDocumentAndTakesItsEncoding) {
    Write("<?xml version='1.0' encoding='windows-1252'?><r>caf\xE9</r>");
    CXMLNode r = CXMLNode::LoadFileOrExit(m_path.c_str(), "r");
    EXPECT_STREQ("caf\xE9", r.GetText());
    // The guessed encoding stays: a multi-byte UTF-8 character now counts as two.
    SXMLResults results;
    CXMLNode::ParseString("\xC3\xA9<", nullptr, &results);
    EXPECT_EQ(4, results.column);
}

// Answers the message box of the current thread and prints its text to stderr.
LRESULT CALLBACK AnswerMessageBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char text[512] = "";
        char caption[64] = "";
        GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
        GetWindowTextA(box, caption, sizeof(caption));
        std::fprintf(stderr, "[%s] %s", caption, text);
        std::fflush(stderr);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void LoadOrExitAnswered(const char* path, const char* tag) {
    SetWindowsHookExA(WH_CBT, AnswerMessageBox, nullptr, GetCurrentThreadId());
    CXMLNode::LoadFileOrExit(path, tag);
}

TEST_F(FileTest, LoadFileOrExitShowsTheErrorAndEndsWithCode255) {
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    Write("<r>\n  <a x=></a>\n</r>");
    EXPECT_EXIT(LoadOrExitAnswered(m_path.c_str(), "r"), ::testing::ExitedWithCode(255),
                "\\[XML Parsing error\\] XML Parsing error inside file 'xmlfile_"
                "LoadFileOrExitShowsTheErrorAndEndsWithCode255.xml'.\n"
                "Error: Unexpected token found\nAt line 2, column 9.\n");
    Write("<x/>");
    EXPECT_EXIT(LoadOrExitAnswered(m_path.c_str(), "r"), ::testing::ExitedWithCode(255),
                "Error: First Tag not found\nAt line 0, column 0.\nFirst Tag should be 'r'.\n");
    Write("<r>");
    EXPECT_EXIT(LoadOrExitAnswered(m_path.c_str(), "r"), ::testing::ExitedWithCode(255),
                "Warning: Unmatched end tag\nAt line 1, column 4.\n");
}

} // namespace
