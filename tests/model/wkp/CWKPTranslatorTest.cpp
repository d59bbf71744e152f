#include "WkpTestHelpers.h"

#include "model/StateTestHelpers.h"

namespace {

using modeltest::AddActivity;
using modeltest::AddTallymark;
using modeltest::Date;
using wkptest::CBytes;
using wkptest::DumpTree;
using wkptest::kNull;
using wkptest::ReadFile;
using wkptest::WkpTest;
using wkptest::WriteFile;

using CWKPTranslatorTest = WkpTest;

TEST_F(CWKPTranslatorTest, AnEmptyProjectTakesFortyThreeBytes) {
    CProjectState state;
    state.SetName("Empty");
    const std::string expected("TallymarksProject"
                               "\x01\x00\x00\x00"
                               "\x05\x00\x00\x00"
                               "Empty"
                               "\x00"
                               "\x00\x00\x00\x00"
                               "\x00\x00\x00\x00"
                               "\x00\x00\x00\x00",
                               43);
    EXPECT_EQ(WriteFile(state), expected);
}

TEST_F(CWKPTranslatorTest, WritesTheTreeDepthFirstWithEveryTallymark) {
    CProjectState state;
    state.SetName("Plan");
    const CDateTime d1 = Date(2010, 3, 28, 2, 30);
    const CDateTime d2 = Date(2010, 3, 28, 4, 0);
    const CDateTime d3 = Date(1899, 12, 29, 6, 0);
    AddTallymark(state.GetRootActivity(), d1, d2);
    CActivity* a = AddActivity(state, "A");
    AddTallymark(a, d3, d1);
    CActivity* b = AddActivity(state, "B\xE9", a);
    b->SetEnabled(false);
    AddTallymark(b, d2, CTallymark::GetNullDate());
    AddActivity(state, "C");

    CBytes expected;
    expected.Header().String("Plan");
    expected.Record(false, "", {{d1.GetValue(), d2.GetValue()}}, 2);
    expected.Record(true, "A", {{d3.GetValue(), d1.GetValue()}}, 1);
    expected.Record(false, "B\xE9", {{d2.GetValue(), kNull}}, 0);
    expected.Record(true, "C", {}, 0);
    EXPECT_EQ(WriteFile(state), expected.Get());
}

TEST_F(CWKPTranslatorTest, SaveAppendsToTheStream) {
    CProjectState state;
    CDataStream stream;
    stream.WriteUInt(7);
    CWKPTranslator(state, stream).Save();
    EXPECT_EQ(stream.GetData().substr(0, 4), std::string("\x07\x00\x00\x00", 4));
    EXPECT_EQ(stream.GetData().substr(4), WriteFile(state));
}

TEST_F(CWKPTranslatorTest, IdentifiesTheSignatureAndChecksTheVersion) {
    const std::string signature = "TallymarksProject";
    const struct {
        std::string bytes;
        ETranslatorResult result;
        const char* version;
    } cases[] = {
        {"", trNotThisFormat, ""},
        {"TallymarksProjec", trNotThisFormat, ""},
        {"TallyMarksProject" + CBytes().UInt(1).Get(), trNotThisFormat, ""},
        {"tallymarksProject" + CBytes().UInt(1).Get(), trNotThisFormat, ""},
        {"<?xml version='1.0'?><TallymarksProject/>", trNotThisFormat, ""},
        {signature, trDamaged, ""},
        {signature + std::string("\x01\x00", 2), trDamaged, ""},
        {CBytes().Header(0).Get(), trOK, "0.0.0"},
        {CBytes().Header(1).Get(), trOK, "0.0.0.1"},
        {CBytes().Header(0xA30F0).Get(), trOK, "10.3.15"},
        {CBytes().Header(0xA30F1).Get(), trNewerVersion, "10.3.15.1"},
        {CBytes().Header(0xA4000).Get(), trNewerVersion, "10.4.0"},
        {CBytes().Header(0xFFFFFFFF).Get(), trNewerVersion, "65535.15.255.15"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version + std::string(" ") + std::to_string(c.bytes.size()));
        CProjectState state;
        CDataStream stream;
        // What follows a whole header is left for Load.
        stream.SetData(c.bytes.size() >= 21 ? c.bytes + "rest" : c.bytes);
        CWKPTranslator translator(state, stream);
        EXPECT_EQ(translator.Identify(), c.result);
        EXPECT_EQ(translator.GetVersionReadText(), c.version);
        EXPECT_EQ(translator.GetFormat(), pffBinary);
        if (c.result == trOK) {
            EXPECT_EQ(stream.GetPosition(), 21u);
        }
    }
}

TEST_F(CWKPTranslatorTest, ASavedProjectLoadsAsItWas) {
    CProjectState original;
    original.SetName("Year \xE9t\xE9");
    const CDateTime start = Date(2011, 1, 3, 8, 0);
    CActivity* root = original.GetRootActivity();
    AddTallymark(root, Date(2011, 1, 1), Date(2011, 1, 2));
    CActivity* work = AddActivity(original, "Work");
    CActivity* mail = AddActivity(original, "Mail", work);
    CActivity* off = AddActivity(original, std::string("Off\0line", 8), work);
    off->SetEnabled(false);
    CActivity* deep = AddActivity(original, "Deep", AddActivity(original, "", off));
    AddActivity(original, "Home");
    for (int i = 0; i < 40; ++i) {
        const CDateTime from = start + CDateTimeSpan(i * 0.25);
        AddTallymark(i % 2 ? work : mail, from, from + CDateTimeSpan(0.1));
        AddTallymark(deep, from - CDateTimeSpan(900.0), from);
    }
    AddTallymark(mail, start, start);
    CTallymark* running =
        AddTallymark(work, start + CDateTimeSpan(20.0), CTallymark::GetNullDate());

    const std::string bytes = WriteFile(original);
    CProjectState loaded;
    AddTallymark(loaded.GetRootActivity(), Date(2000, 1, 1), Date(2000, 1, 2));
    AddActivity(loaded, "Stale");
    loaded.GetRootActivity()->SetName("stale root");
    const wkptest::SRead read = ReadFile(loaded, bytes);
    ASSERT_EQ(read.identified, trOK);
    ASSERT_EQ(read.loaded, trOK);

    EXPECT_EQ(DumpTree(loaded), DumpTree(original));
    EXPECT_EQ(loaded.GetTallymarksByDate().GetCount(), original.GetTallymarksByDate().GetCount());
    ASSERT_TRUE(loaded.IsWorking());
    EXPECT_TRUE(loaded.GetCurrentTallymark()->IsOpen());
    EXPECT_EQ(loaded.GetCurrentTallymark()->GetStart(), running->GetStart());
    EXPECT_EQ(loaded.GetCurrentActivity()->GetPath(), "Work");
    EXPECT_EQ(WriteFile(loaded).size(), bytes.size());
}

TEST_F(CWKPTranslatorTest, AcceptsOldVersionsAndIgnoresWhatFollowsTheRoot) {
    for (uint32_t version : {0u, 1u, 0xA30F0u}) {
        CBytes file;
        file.Header(version).String("Old");
        file.Record(true, "", {}, 1).Record(true, "A", {{100.5, 101.0}}, 0).Raw("trailing");
        CProjectState state;
        const wkptest::SRead read = ReadFile(state, file.Get());
        EXPECT_EQ(read.identified, trOK);
        EXPECT_EQ(read.loaded, trOK);
        EXPECT_EQ(DumpTree(state),
                  (std::vector<std::string>{"project Old", "0 on ", "1 on A [100.5 101]"}));
    }
}

TEST_F(CWKPTranslatorTest, NegativeCountsMeanNone) {
    CBytes file;
    file.Header().String("N").Record(true, "root", {}, -5);
    std::string bytes = file.Get();
    // The root's tally-mark count, made -5 as well.
    bytes.replace(file.GetCountOffsets()[3], 4, CBytes().Int(-5).Get());
    CProjectState state;
    EXPECT_EQ(ReadFile(state, bytes).loaded, trOK);
    EXPECT_EQ(DumpTree(state), (std::vector<std::string>{"project N", "0 on root"}));
}

} // namespace
