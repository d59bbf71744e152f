#include "reports/templates/CReportTemplates.h"

#include "../../library/system/CScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

// An index file; "-" leaves a key out.
std::string Index(const std::string& categorization, const std::string& format,
                  const std::string& contentFile, const std::string& description = "About it",
                  const std::string& fileNameType = "Text files") {
    std::string text = "[Settings]\r\n";
    const std::pair<const char*, std::string> keys[] = {{"Categorization", categorization},
                                                        {"Description", description},
                                                        {"Format", format},
                                                        {"FileNameType", fileNameType},
                                                        {"DefaultExtension", "txt"},
                                                        {"ContentFile", contentFile}};
    for (const auto& key : keys) {
        text += key.second == "-" ? "" : std::string(key.first) + "=" + key.second + "\r\n";
    }
    return text;
}

// The tree as text: leaves by name, categories as name{children}.
std::string Tree(const CReportTemplateCategory* node) {
    std::string text;
    for (const CReportTemplateCategory* child = node->GetFirstChild(); child != nullptr;
         child = child->GetNextSibling()) {
        text += (text.empty() ? "" : ",") + child->GetName();
        if (child->GetTemplate() == nullptr) {
            text += "{" + Tree(child) + "}";
        }
    }
    return text;
}

// The names that the system's search gives for pattern, in its order.
std::vector<std::string> SearchOrder(const std::string& folder, const char* pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            names.push_back(data.cFileName);
        } while (FindNextFileA(search, &data));
        FindClose(search);
    }
    return names;
}

// Index files: every key required and non-empty, Format one of six words in any case, the
// content file read whole as bytes.
TEST(ReportTemplateTest, IndexFilesAreCheckedKeyByKey) {
    CScratchFolder folder;
    const std::string bytes("line 1\r\nline 2\nline 3\r\x00\xff", 21);
    ASSERT_TRUE(folder.Write("content.txt", bytes));
    ASSERT_TRUE(folder.Write("empty.txt", ""));
    struct SCase {
        std::string index;
        bool valid;
        int format;
    } const cases[] = {
        {Index("A\\B", "txt", "content.txt"), true, 5},
        {Index("A", "HTML", "content.txt"), true, 2},
        {Index("A", "Csv", "empty.txt"), true, 0},
        {Index("A", "htm", "content.txt"), false, -1},
        {Index("A", "-", "content.txt"), false, -1},
        {Index("", "txt", "content.txt"), false, 5},
        {Index("A", "txt", "-"), false, 5},
        {Index("A", "txt", "missing.txt"), false, 5},
        {Index("A", "txt", "content.txt", "-"), false, 5},
        {Index("A", "txt", "content.txt", "D", " "), false, 5},
        {"[Other]" + Index("A", "txt", "content.txt").substr(10), false, -1},
    };
    for (const SCase& c : cases) {
        ASSERT_TRUE(folder.Write("case.wkr", c.index));
        CReportTemplate reportTemplate;
        EXPECT_EQ(reportTemplate.Load(folder.Path(), "case.wkr"), c.valid) << c.index;
        EXPECT_EQ(reportTemplate.GetFormat(), c.format) << c.index;
        EXPECT_EQ(reportTemplate.GetFileName(), "case.wkr");
    }
    int code = 0;
    for (const char* word : {"csv", "TAB", "html", "Xml", "rtf", "txt"}) {
        EXPECT_EQ(CReportTemplate::ParseFormat(word), code++) << word;
    }
    CReportTemplate reportTemplate;
    ASSERT_TRUE(folder.Write("case.wkr", Index("A\\B", "txt", "content.txt")));
    ASSERT_TRUE(reportTemplate.Load(folder.Path(), "case.wkr"));
    EXPECT_EQ(reportTemplate.GetContent(), bytes);
}

// The tree shares categories (matched without regard to case), never merges leaves, and
// keeps the order of the search; failed index files are listed one a line in that order.
TEST(ReportTemplatesTest, TreeAndMessageOfAFolder) {
    CScratchFolder folder;
    ASSERT_TRUE(folder.Write("c.txt", "x"));
    const std::vector<std::pair<std::string, std::string>> files = {
        {"a1.wkr", Index("Lists\\Per day", "txt", "c.txt")},
        {"a2.wkr", Index("LISTS\\Per day", "csv", "c.txt")},
        {"a3.wkr", Index("Loose", "html", "c.txt")},
        {"a4.wkr", Index("Ends\\", "txt", "c.txt")},
        {"a5.wkr", Index("Lists\\Deep\\Leaf", "txt", "c.txt")},
        {"b1.wkr", Index("Bad", "htm", "c.txt")},
        {"b2.wkr", Index("Bad", "txt", "gone.txt")},
        {"x.wkrx", Index("Not an index", "txt", "c.txt")},
    };
    for (const auto& file : files) {
        ASSERT_TRUE(folder.Write(file.first, file.second));
    }
    ASSERT_TRUE(folder.MakeFolder("sub.wkr"));
    std::string expectedFailed;
    for (const std::string& name : SearchOrder(folder.Path(), "*.wkr")) {
        if (name[0] == 'b') {
            expectedFailed += "\n" + name;
        }
    }
    CReportTemplates templates;
    EXPECT_EQ(templates.GetRoot(), nullptr);
    const CError error = templates.LoadFrom(folder.Path(), true);
    EXPECT_EQ(error.GetCode(), 1);
    EXPECT_EQ(error.GetText(), "There was an error loading the report templates; the following "
                               "templates had problems:" +
                                   expectedFailed);
    ASSERT_NE(templates.GetRoot(), nullptr);
    EXPECT_EQ(templates.GetRoot()->GetName(), "");
    // The search order of this file system is by name, so the tree reads as follows.
    ASSERT_EQ(SearchOrder(folder.Path(), "a*.wkr"),
              (std::vector<std::string>{"a1.wkr", "a2.wkr", "a3.wkr", "a4.wkr", "a5.wkr"}));
    EXPECT_EQ(Tree(templates.GetRoot()), "Lists{Per day,Per day,Deep{Leaf}},Loose,Ends{}");

    // Reloading without the failing files succeeds with code -1 and a new tree.
    ASSERT_TRUE(DeleteFileA(folder.File("b1.wkr").c_str()));
    ASSERT_TRUE(DeleteFileA(folder.File("b2.wkr").c_str()));
    EXPECT_FALSE(templates.LoadFrom(folder.Path(), true).IsError());
    EXPECT_EQ(Tree(templates.GetRoot()), "Lists{Per day,Per day,Deep{Leaf}},Loose,Ends{}");
}

// Nothing to load: the message says whether the installation has templates at all; a folder
// that cannot be searched gives the system's error.
TEST(ReportTemplatesTest, MessagesWhenNothingLoads) {
    CScratchFolder folder;
    ASSERT_TRUE(folder.MakeFolder("empty"));
    ASSERT_TRUE(folder.Write("file", "x"));
    ASSERT_TRUE(folder.Write("empty\\only.wkrx", "x"));
    const std::string prefix = "There was an error loading the report templates; ";
    struct SCase {
        std::string path;
        bool installed;
        std::string expected;
    } const cases[] = {
        {folder.File("missing"), true,
         prefix + "the report templates are missing.  Please re-install Tallymarks."},
        {folder.File("missing"), false,
         prefix + "the report templates are not installed.  Please re-install Tallymarks."},
        {folder.File("empty"), true,
         prefix + "the report templates are missing.  Please re-install Tallymarks."},
    };
    for (const SCase& c : cases) {
        CReportTemplates templates;
        const CError error = templates.LoadFrom(c.path, c.installed);
        EXPECT_EQ(error.GetCode(), 1);
        EXPECT_EQ(error.GetText(), c.expected);
        EXPECT_EQ(templates.GetRoot()->GetFirstChild(), nullptr);
    }
    CReportTemplates templates;
    const CError error = templates.LoadFrom(folder.File("file"), true);
    EXPECT_EQ(error.GetCode(), 1);
    const std::string searchError = prefix + "the error was:\n";
    ASSERT_EQ(error.GetText().compare(0, searchError.size(), searchError), 0) << error.GetText();
    const char first = error.GetText()[searchError.size()];
    EXPECT_TRUE(first >= '1' && first <= '9') << error.GetText();
}

// A Categorization of levels parts: categories c1, c2, ... and the template's name.
std::string Categorization(int levels) {
    std::string path;
    for (int level = 1; level < levels; ++level) {
        path += "c" + std::to_string(level) + "\\";
    }
    return path + "leaf";
}

// The depth of the deepest node below node.
int Depth(const CReportTemplateCategory* node) {
    int deepest = 0;
    for (const CReportTemplateCategory* n = node->GetNextInSubtree(node); n != nullptr;
         n = n->GetNextInSubtree(node)) {
        deepest = std::max(deepest, static_cast<int>(n->GetDepth()));
    }
    return deepest;
}

// Hostile index files are refused, each with its reason in the message where the user can
// act on it: a category too deep for the tree, a content file outside the template folder
// (which is never read).
TEST(ReportTemplatesTest, HostileIndexFilesAreRefusedWithTheirReason) {
    CScratchFolder scratch;
    ASSERT_TRUE(scratch.Write("secret.ini", "[Private]\r\nPassword=x\r\n"));
    const std::string deep = " (its categorization has more than 32 levels)";
    const std::string outside = " (its content file lies outside the template folder)";
    struct SCase {
        std::string categorization;
        std::string contentFile;
        std::string expected; // the failed list, empty when all load
        int depth;            // of the tree when all load
    } const cases[] = {
        {Categorization(32), "c.txt", "", 32},
        {Categorization(33), "c.txt", "\nx0.wkr" + deep, 0},
        {Categorization(10000), "c.txt", "\nx0.wkr" + deep, 0},
        {Categorization(1000000), "c.txt", "\nx0.wkr" + deep, 0},
        {"A\\B", "sub\\c.txt", "", 2},
        {"A\\B", ".\\sub\\..\\c.txt", "\nx0.wkr" + outside, 0},
        {"A\\B", "..\\secret.ini", "\nx0.wkr" + outside, 0},
        {"A\\B", "sub/../../secret.ini", "\nx0.wkr" + outside, 0},
        {"A\\B", "sub\\.. \\..\\secret.ini", "\nx0.wkr" + outside, 0},
        {"A\\B", scratch.File("secret.ini"), "\nx0.wkr" + outside, 0},
        {"A\\B", scratch.File("secret.ini").substr(2), "\nx0.wkr" + outside, 0},
        {"A\\B", "\\\\?\\" + scratch.File("secret.ini"), "\nx0.wkr" + outside, 0},
        {"A\\B", "\\\\localhost\\share\\secret.ini", "\nx0.wkr" + outside, 0},
        {"A\\B", "c.txt:stream", "\nx0.wkr" + outside, 0},
    };
    int run = 0;
    for (const SCase& c : cases) {
        const std::string name = "t" + std::to_string(++run);
        ASSERT_TRUE(scratch.MakeFolder(name));
        ASSERT_TRUE(scratch.MakeFolder(name + "\\sub"));
        ASSERT_TRUE(scratch.Write(name + "\\c.txt", "x"));
        ASSERT_TRUE(scratch.Write(name + "\\sub\\c.txt", "y"));
        ASSERT_TRUE(
            scratch.Write(name + "\\x0.wkr", Index(c.categorization, "txt", c.contentFile)));
        CReportTemplates templates;
        const CError error = templates.LoadFrom(scratch.File(name), true);
        EXPECT_EQ(error.GetText(), c.expected.empty()
                                       ? std::string()
                                       : "There was an error loading the report templates; the "
                                         "following templates had problems:" +
                                             c.expected)
            << c.categorization.substr(0, 40) << " " << c.contentFile;
        EXPECT_EQ(Depth(templates.GetRoot()), c.depth) << c.contentFile;
    }
}

} // namespace
