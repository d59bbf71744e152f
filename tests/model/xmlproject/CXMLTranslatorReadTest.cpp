#include "model/CXMLTranslator.h"

#include "XMLProjectTestHelpers.h"

#include <gtest/gtest.h>

namespace {

using namespace xmlprojecttest;

TEST(CXMLTranslatorRead, RecognisesTheFormatAndChecksTheVersion) {
    const struct {
        const char* what;
        std::string bytes;
        ETranslatorResult identify;
        const char* versionRead;
    } cases[] = {
        {"empty stream", "", trNotThisFormat, ""},
        {"binary", std::string("TallymarksProject\x01\0\0\0", 21), trNotThisFormat, ""},
        {"other root", kHeader + "<Other version=\"0.0.0.1\"/>", trNotThisFormat, ""},
        {"bad markup", kHeader + "<TallymarksProject version=\"1\"><</TallymarksProject>",
         trNotThisFormat, ""},
        {"format version", File("<Name>P</Name>"), trOK, "0.0.0.1"},
        {"version 1", File("<Name>P</Name>", "1"), trOK, "0.0.0"},
        {"program version", File("<Name>P</Name>", "10.3.15"), trOK, "10.3.15"},
        {"newer revision", File("<Name>P</Name>", "10.3.15.1"), trNewerVersion, "10.3.15.1"},
        {"newer minor", File("<Name>P</Name>", "10.4.0"), trNewerVersion, "10.4.0"},
        {"two numbers", File("<Name>P</Name>", "10.4"), trDamaged, ""},
        {"no version", kHeader + "<TallymarksProject><Name>P</Name></TallymarksProject>", trDamaged,
         ""},
        {"broken off",
         File("<Name>P</Name><Activity enabled=\"true\" name=\"A\">"
              "<Tallymark start=\"2010-01-01 00:00:00\" end=\"2010-01-01 01:00:00\"/>")
             .substr(0, 140),
         trDamaged, ""},
        {"unclosed element",
         File("<Name>P</Name><Activity name=\"A\"><Activity name=\"B\">"
              "</Activity>"),
         trDamaged, ""},
        {"no header, upper case",
         "<TALLYMARKSPROJECT VERSION='0.0.0.1'><name>P</name>"
         "</TALLYMARKSPROJECT>",
         trOK, "0.0.0.1"},
    };
    for (const auto& c : cases) {
        CProjectState state;
        CDataStream stream;
        stream.SetData(c.bytes);
        CXMLTranslator translator(state, stream, kWestern);
        EXPECT_EQ(c.identify, translator.Identify()) << c.what;
        EXPECT_EQ(c.versionRead, translator.GetVersionReadText()) << c.what;
    }
}

TEST(CXMLTranslatorRead, LoadsFilesWrittenByHand) {
    const struct {
        const char* what;
        std::string content;
        ETranslatorResult load;
        Lines described;
    } cases[] = {
        {"no Name element", "", trDamaged, {"name []", "off []"}},
        {"empty Name", "<Name/>", trOK, {"name []", "off []"}},
        {"Name with entities",
         "<Name>a &amp; b &lt;&#65;&gt;</Name>",
         trOK,
         {"name [a & b <A>]", "off []"}},
        {"Name laid out on lines",
         "<Name>\n\t\tMy plan \n\t</Name>",
         trOK,
         {"name [My plan]", "off []"}},
        {"Name in any case, later Name ignored",
         "<NAME>first</NAME><Name>second</Name>",
         trOK,
         {"name [first]", "off []"}},
        {"two-digit year",
         "<Name>P</Name><Activity enabled='true' name='A'>"
         "<Tallymark start='10-3-15 9:05:00' end='99-12-31 23:59:59'/></Activity>",
         trOK,
         {"name [P]", "off []", ">on [A] {2010-03-15 09:05:00 - 2099-12-31 23:59:59}"}},
        {"four-digit years stand",
         "<Name>P</Name><Activity enabled='1' name='A'>"
         "<Tallymark start='1999-12-31 23:00:00' end='0100-01-01 00:00:00'/></Activity>",
         trOK,
         {"name [P]", "off []", ">on [A] {1999-12-31 23:00:00 - 0100-01-01 00:00:00}"}},
        {"running, end wins over open",
         "<Name>P</Name><Activity enabled='Yes' name='A'>"
         "<Tallymark start='2010-01-01 08:00:00' open='false'/>"
         "<Tallymark start='2010-01-02 08:00:00' end='2010-01-02 09:00:00' open='true'/>"
         "</Activity>",
         trOK,
         {"name [P]", "off []",
          ">on [A] {2010-01-01 08:00:00 - open} {2010-01-02 08:00:00 - 2010-01-02 09:00:00}"}},
        {"attribute names in any case, flags",
         "<Name>P</Name><Activity ENABLED='no' Name='A'>"
         "<Tallymark START='2010-01-01 08:00:00' End='2010-01-01 09:00:00'/></Activity>"
         "<Activity enabled='False' name='B'/><Activity enabled='t' name='C'/>"
         "<Activity name='D'/><Activity enabled name='E'/>",
         trOK,
         {"name [P]", "off []", ">off [A] {2010-01-01 08:00:00 - 2010-01-01 09:00:00}", ">off [B]",
          ">on [C]", ">on [D]", ">on [E]"}},
        {"other spellings and elements are skipped with their subtree",
         "<Name>P</Name><activity enabled='true' name='x'><Activity name='y'/></activity>"
         "<ACTIVITY name='z'/><Note>text<Activity name='w'/></Note>"
         "<Activity name='A'><tallymark start='bad'/><Name>n</Name></Activity>",
         trOK,
         {"name [P]", "off []", ">on [A]"}},
        {"neither end nor open: kept, the load fails",
         "<Name>P</Name><Activity name='A'><Tallymark start='2010-01-01 08:00:00'/></Activity>"
         "<Activity name='B'/>",
         trDamaged,
         {"name [P]", "off []", ">on [A] {2010-01-01 08:00:00 - open}"}},
        {"start missing",
         "<Name>P</Name><Activity name='A'><Tallymark end='2010-01-01 08:00:00'/></Activity>",
         trDamaged,
         {"name [P]", "off []", ">on [A] {null - open}"}},
        {"no such day",
         "<Name>P</Name><Activity name='A'>"
         "<Tallymark start='2010-01-01 08:00:00' end='2010-02-29 08:00:00'/></Activity>",
         trDamaged,
         {"name [P]", "off []", ">on [A] {2010-01-01 08:00:00 - open}"}},
        {"activity without name",
         "<Name>P</Name><Activity enabled='true'/><Activity name='B'/>",
         trDamaged,
         {"name [P]", "off []", ">off []"}},
        {"flag not recognised",
         "<Name>P</Name><Activity enabled='maybe' name='A'/>",
         trDamaged,
         {"name [P]", "off []", ">off []"}},
        {"empty flag",
         "<Name>P</Name><Activity enabled='' name='A'/>",
         trDamaged,
         {"name [P]", "off []", ">off []"}},
    };
    for (const auto& c : cases) {
        CProjectState state;
        const SReadResult result = Read(File(c.content), state);
        EXPECT_EQ(trOK, result.identify) << c.what;
        EXPECT_EQ(c.load, result.load) << c.what;
        EXPECT_EQ(c.described, Describe(state)) << c.what;
    }
}

TEST(CXMLTranslatorRead, ReadsNamesInTheEncodingTheBytesHave) {
    const struct {
        const char* what;
        std::string bytes;
        std::string name;
    } cases[] = {
        {"UTF-8", File("<Name>Caf\xC3\xA9</Name><Activity name='\xE2\x82\xAC'/>"), "Caf\xE9|\x80"},
        {"UTF-8 without byte-order mark",
         File("<Name>Caf\xC3\xA9</Name><Activity name='x'/>").substr(3), "Caf\xE9|x"},
        {"character references", File("<Name>Caf&#233;</Name><Activity name='&#xe9;'/>"),
         "Caf\xE9|\xE9"},
        {"not UTF-8: the code page",
         File("<Name>Caf\xE9</Name><Activity name=\"Caf\xE9\" enabled='true'/>"),
         "Caf\xE9|Caf\xE9"},
        {"not representable", File("<Name>\xE4\xB8\xAD</Name><Activity name='a'/>"), "?|a"},
    };
    for (const auto& c : cases) {
        CProjectState state;
        EXPECT_EQ(trOK, Read(c.bytes, state).load) << c.what;
        CActivity* first = state.GetRootActivity()->GetFirstChild();
        ASSERT_NE(nullptr, first) << c.what;
        EXPECT_EQ(c.name, state.GetName() + "|" + first->GetName()) << c.what;
    }
}

TEST(CXMLTranslatorRead, ReplacesTheRootTallymarksButKeepsItsNameAndFlag) {
    CProjectState state;
    CActivity* root = state.GetRootActivity();
    root->SetName("root name");
    root->SetEnabled(true);
    AddTallymark(root, At(2009, 1, 1, 0, 0, 0), At(2009, 1, 1, 1, 0, 0));
    EXPECT_EQ(trOK, Read(File("<Name>P</Name><Tallymark start='2010-01-01 08:00:00' "
                              "end='2010-01-01 09:00:00'/>"),
                         state)
                        .load);
    EXPECT_EQ((Lines{"name [P]", "on [root name] {2010-01-01 08:00:00 - 2010-01-01 09:00:00}"}),
              Describe(state));
}

} // namespace
