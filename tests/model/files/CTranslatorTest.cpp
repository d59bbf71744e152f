// Detection and creation of the two project-file translators, and one round-trip
// suite that every project the program writes, in either format, loads back equal.

#include "library/files/CDataStream.h"
#include "model/CProjectState.h"
#include "model/CTranslator.h"
#include "model/xmlproject/XMLProjectTestHelpers.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using namespace xmlprojecttest;

TEST(CTranslatorTest, CreateMakesOnlyTheTwoFormats) {
    CProjectState state;
    CDataStream stream;
    for (int format : {0, 3, -1, 255}) {
        EXPECT_EQ(CTranslator::Create(state, format, stream), nullptr) << format;
    }
    for (int format : {pffBinary, pffXML}) {
        std::unique_ptr<CTranslator> translator(CTranslator::Create(state, format, stream));
        ASSERT_NE(translator, nullptr);
        EXPECT_EQ(translator->GetFormat(), format);
    }
}

struct SDetectCase {
    const char* what;
    std::string bytes;
    ETranslatorResult result;
    EProjectFileFormat format;
};

TEST(CTranslatorTest, DetectTriesBinaryFirstThenXML) {
    const SDetectCase cases[] = {
        {"neither format", "just some text", trNotThisFormat, pffXML},
        {"empty", "", trNotThisFormat, pffXML},
        {"binary signature, no version", "TallymarksProject", trDamaged, pffBinary},
        {"XML", File("<Name>x</Name>"), trOK, pffXML},
        {"newer XML", File("<Name>x</Name>", "10.4.0"), trNewerVersion, pffXML},
    };
    for (const SDetectCase& c : cases) {
        CProjectState state;
        CDataStream stream;
        stream.SetData(c.bytes);
        CTranslator* translator = nullptr;
        EXPECT_EQ(CTranslator::Detect(state, stream, translator), c.result) << c.what;
        ASSERT_NE(translator, nullptr) << c.what;
        EXPECT_EQ(translator->GetFormat(), c.format) << c.what;
        delete translator;
    }
}

// A project with what files must keep: a name outside ASCII, a tally mark of 1999, a UTC
// time that local clocks skip, a running tally mark, empty and blank names, nesting.
void BuildSample(CProjectState& state) {
    state.SetName("Caf\xE9 project");
    CActivity* work = Add(state, "Work", true);
    CActivity* design = Add(state, "Design", false, work);
    Add(state, "deep", true, Add(state, "deeper", false, design));
    CActivity* home = Add(state, "Home", true);
    Add(state, "", true, home);
    Add(state, "   ", false, home);
    Add(state, "Caf\xE9", true, home);
    AddTallymark(work, At(1999, 12, 31, 23, 0, 0), At(2000, 1, 1, 1, 0, 0));
    AddTallymark(design, At(2010, 3, 28, 2, 30, 0), At(2010, 3, 28, 3, 15, 0));
    AddTallymark(home->GetLastChild(), At(100, 1, 1, 0, 0, 0), At(9999, 12, 31, 0, 0, 0));
    AddTallymark(home, At(2024, 5, 1, 8, 0, 0), CTallymark::GetNullDate());
}

std::string SaveAs(CProjectState& state, int format) {
    CDataStream stream;
    std::unique_ptr<CTranslator> translator(CTranslator::Create(state, format, stream));
    translator->Save();
    return stream.GetData();
}

// Detects the format and loads, as a project opens a file.
ETranslatorResult Open(const std::string& bytes, CProjectState& state, int expectedFormat) {
    CDataStream stream;
    stream.SetData(bytes);
    CTranslator* translator = nullptr;
    ETranslatorResult result = CTranslator::Detect(state, stream, translator);
    EXPECT_EQ(translator->GetFormat(), expectedFormat);
    if (result == trOK) {
        result = translator->Load();
    }
    delete translator;
    return result;
}

class CRoundTripTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        // Names are held in the system's code page; the sample's are Windows-1252.
        if (GetACP() != 1252) {
            GTEST_SKIP() << "the system code page is " << GetACP() << ", not 1252";
        }
    }
};

TEST_P(CRoundTripTest, EveryProjectLoadsBackEqual) {
    CProjectState original;
    BuildSample(original);
    CProjectState loaded;
    ASSERT_EQ(Open(SaveAs(original, GetParam()), loaded, GetParam()), trOK);
    EXPECT_EQ(Describe(original), Describe(loaded));
    EXPECT_TRUE(loaded.IsWorking());

    // Through the other format and back again.
    const int other = GetParam() == pffBinary ? pffXML : pffBinary;
    CProjectState converted;
    ASSERT_EQ(Open(SaveAs(loaded, other), converted, other), trOK);
    EXPECT_EQ(Describe(original), Describe(converted));
}

TEST_P(CRoundTripTest, EmptyProjectLoadsBackEmpty) {
    CProjectState original;
    CProjectState loaded;
    ASSERT_EQ(Open(SaveAs(original, GetParam()), loaded, GetParam()), trOK);
    EXPECT_EQ(Describe(original), Describe(loaded));
    EXPECT_FALSE(loaded.IsWorking());
}

INSTANTIATE_TEST_SUITE_P(BothFormats, CRoundTripTest, ::testing::Values(pffBinary, pffXML),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return info.param == pffBinary ? std::string("Binary")
                                                            : std::string("XML");
                         });

} // namespace
