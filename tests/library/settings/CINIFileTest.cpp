#include "library/settings/CINIFile.h"

#include "../system/CScratchFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Canonical(const std::string& input) {
    CINIFile ini;
    ini.ParseText(input.data(), input.size());
    return ini.BuildText();
}

struct SParseCase {
    const char* what;
    std::string input;
    std::string written;
};

// Each input as read and written back. The written form is a fixed point: read and
// written again, it gives the same bytes.
const SParseCase ParseCases[] = {
    {"first spelling, last value, no blanks round =", "[Main]\r\nWidth = 10\r\n[main]\r\nwidth=12",
     "[Main]\r\nWidth=12"},
    {"keys in byte order of their lower-cased form", "[s]\r\nb=1\r\nA=2\r\n_x=3",
     "[s]\r\n_x=3\r\nA=2\r\nb=1"},
    {"sections sorted, a blank line between them", "[b]\r\nk=1\r\n[A]\r\nk=2\r\n[_c]",
     "[_c]\r\n\r\n[A]\r\nk=2\r\n\r\n[b]\r\nk=1"},
    {"bytes compare unsigned; only ASCII letters fold",
     "[s]\r\nZ=1\r\na=2\r\n[k=3\r\n\xE9t=4\r\nzz=5\r\n\xC9t=6",
     "[s]\r\n[k=3\r\na=2\r\nZ=1\r\nzz=5\r\n\xC9t=6\r\n\xE9t=4"},
    {"LF alone ends no line", "[s]\nk=v\n", ""},
    {"LF-only text that happens to end in ]", "[s]\nk=v\n[t]", "[s]\nk=v\n[t]"},
    {"a lone CR stays in the value", "[s]\r\nk=a\rb=c\r\n", "[s]\r\nk=a\rb=c"},
    {"runs of CR and LF after a line end", "[s]\r\n\r\n\r\r\n\n a = 1 \r\n\n\r", "[s]\r\na=1"},
    {"blanks and tabs trimmed from lines, names and values", "\t[ s ]\t\r\n\tk\t=\tv w\t\r\n",
     "[s]\r\nk=v w"},
    {"lines before the first section", "k=v\r\n[s]", "[s]"},
    {"[] is no section line", "[a]\r\nx=1\r\n[]\r\ny=2", "[a]\r\nx=1\r\ny=2"},
    {"= first, no =, and = inside the value", "[s]\r\n=v\r\nnoequals\r\nk==v", "[s]\r\nk==v"},
    {"no comment lines", "[s]\r\n;c=1\r\n#d=2\r\n; note", "[s]\r\n#d=2\r\n;c=1"},
    {"empty values and quotes kept", "[s]\r\nk=\r\nq=\"  a \"", "[s]\r\nk=\r\nq=\"  a \""},
    {"a UTF-8 byte-order mark is skipped", "\xEF\xBB\xBF[s]\r\nk=v\r\n[t]\r\nk=w",
     "[s]\r\nk=v\r\n\r\n[t]\r\nk=w"},
    {"only a whole mark at the very start is skipped", "\xEF\xBB[s]\r\n\xEF\xBB\xBF[t]", ""},
    {"zero bytes are ordinary bytes", std::string("[s]\r\nk=a\0b", 10),
     std::string("[s]\r\nk=a\0b", 10)},
    {"empty section kept", "[only]\r\n", "[only]"},
    {"nothing", "", ""},
};

TEST(CINIFileTest, ParseAndWriteRules) {
    for (const SParseCase& c : ParseCases) {
        EXPECT_EQ(Canonical(c.input), c.written) << c.what;
        EXPECT_EQ(Canonical(c.written), c.written) << c.what << " (written form read again)";
    }
}

TEST(CINIFileTest, FileRoundTripIsByteExact) {
    CScratchFolder scratch;
    for (const SParseCase& c : ParseCases) {
        ASSERT_TRUE(scratch.Write("in.ini", c.written));
        CINIFile ini;
        ASSERT_TRUE(ini.Load(scratch.File("in.ini").c_str())) << c.what;
        ASSERT_TRUE(ini.Save(scratch.File("out.ini").c_str())) << c.what;
        EXPECT_EQ(scratch.Read("out.ini"), c.written) << c.what;
    }
}

TEST(CINIFileTest, NamesIgnoreLetterCaseAndKeepTheirFirstSpelling) {
    CINIFile ini;
    EXPECT_EQ(ini.GetSection("Main", false), nullptr);
    EXPECT_FALSE(ini.HasSection("main"));
    CINISection* main = ini.GetSection("Main", true);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ini.GetSection(std::string("MAIN"), true), main);
    EXPECT_EQ(main->GetName(), "Main");
    EXPECT_TRUE(ini.HasSection("mAIN"));

    EXPECT_EQ(main->GetSetting("Width", false), nullptr);
    CINISetting* width = main->GetSetting("Width", true);
    ASSERT_NE(width, nullptr);
    EXPECT_EQ(main->GetSettingStd("WIDTH", true), width);
    EXPECT_TRUE(main->HasSetting("wIdTh"));
    EXPECT_EQ(width->GetKey(), "Width");
    EXPECT_EQ(width->GetString("unset"), std::string("unset"));
    width->SetInt(12);
    EXPECT_EQ(ini.BuildText(), "[Main]\r\nWidth=12");
}

TEST(CINIFileTest, ClearRemovesEveryEntryOfAList) {
    CINIFile ini;
    const std::string text = "[Recent]\r\nFile1=a\r\nFile2=b\r\nFile3=c\r\n\r\n[Main]\r\nx=1";
    ini.ParseText(text.data(), text.size());
    CINISection* recent = ini.GetSection("recent", false);
    ASSERT_NE(recent, nullptr);
    recent->Clear();
    EXPECT_FALSE(recent->HasSetting("File2"));
    recent->GetSetting("File1", true)->SetString("b");
    EXPECT_EQ(ini.BuildText(), "[Main]\r\nx=1\r\n\r\n[Recent]\r\nFile1=b");
}

TEST(CINIFileTest, LoadAddsToWhatIsHeld) {
    CScratchFolder scratch;
    ASSERT_TRUE(scratch.Write("a.ini", "[Main]\r\nwidth=12\r\n[new]\r\nk=v"));
    CINIFile ini;
    CINISection* main = ini.GetSection("MAIN", true);
    main->GetSetting("Width", true)->SetString("10");
    main->GetSetting("Height", true)->SetString("5");
    ASSERT_TRUE(ini.Load(scratch.File("a.ini").c_str()));
    EXPECT_EQ(ini.GetPath(), scratch.File("a.ini"));
    EXPECT_EQ(ini.BuildText(), "[MAIN]\r\nHeight=5\r\nWidth=12\r\n\r\n[new]\r\nk=v");
}

TEST(CINIFileTest, LoadFailuresKeepWhatIsHeld) {
    CScratchFolder scratch;
    CINIFile ini;
    ini.GetSection("Main", true)->GetSetting("k", true)->SetString("v");

    EXPECT_FALSE(ini.Load(scratch.File("missing.ini").c_str()));
    EXPECT_EQ(ini.GetPath(), scratch.File("missing.ini")) << "the path is kept for Save";

    ASSERT_TRUE(scratch.Write("locked.ini", "[Main]\r\nk=other"));
    HANDLE lock = CreateFileA(scratch.File("locked.ini").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(ini.Load(scratch.File("locked.ini").c_str()));
    CloseHandle(lock);

    ASSERT_TRUE(scratch.MakeFolder("folder.ini"));
    EXPECT_FALSE(ini.Load(scratch.File("folder.ini").c_str()));
    EXPECT_EQ(ini.BuildText(), "[Main]\r\nk=v");
}

TEST(CINIFileTest, LoadReadsWhileAnotherReaderHoldsTheFile) {
    CScratchFolder scratch;
    ASSERT_TRUE(scratch.Write("shared.ini", "[s]\r\nk=v"));
    HANDLE reader = CreateFileA(scratch.File("shared.ini").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    CINIFile ini;
    EXPECT_TRUE(ini.Load(scratch.File("shared.ini").c_str()));
    CloseHandle(reader);
    EXPECT_EQ(ini.BuildText(), "[s]\r\nk=v");
}

TEST(CINIFileTest, SaveReplacesTheWholeFile) {
    CScratchFolder scratch;
    ASSERT_TRUE(scratch.Write("a.ini", "[Main]\r\nk=a much longer text than what is written back"));
    CINIFile ini;
    ASSERT_TRUE(ini.Load(scratch.File("a.ini").c_str()));
    ini.GetSection("main", false)->GetSetting("K", false)->SetString("short");
    ASSERT_TRUE(ini.Save(nullptr));
    EXPECT_EQ(scratch.Read("a.ini"), "[Main]\r\nk=short");

    CINIFile empty;
    ASSERT_TRUE(empty.Save(scratch.File("a.ini").c_str()));
    EXPECT_EQ(scratch.Read("a.ini"), "");
    ASSERT_TRUE(empty.Save(scratch.File("new.ini").c_str()));
    EXPECT_EQ(scratch.Read("new.ini"), "");
}

TEST(CINIFileTest, SavePathBecomesTheStoredPathOnlyOnSuccess) {
    CScratchFolder scratch;
    CINIFile ini;
    EXPECT_FALSE(ini.Save(nullptr)) << "no path yet";
    ini.GetSection("s", true);
    ASSERT_TRUE(ini.Save(scratch.File("first.ini").c_str()));
    EXPECT_EQ(ini.GetPath(), scratch.File("first.ini"));

    EXPECT_FALSE(ini.Save(scratch.File("missing\\x.ini").c_str()));
    EXPECT_EQ(ini.GetPath(), scratch.File("first.ini"));

    HANDLE lock = CreateFileA(scratch.File("first.ini").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(ini.Save(nullptr));
    CloseHandle(lock);

    ini.GetSection("s", true)->GetSetting("k", true)->SetBool(true);
    ASSERT_TRUE(ini.Save(nullptr));
    EXPECT_EQ(scratch.Read("first.ini"), "[s]\r\nk=y");
}

} // namespace
