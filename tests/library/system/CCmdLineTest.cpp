#include "library/system/CCmdLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Split(const char* text) {
    CCmdLine cmdLine(text);
    std::vector<std::string> result;
    for (size_t i = 0; i < cmdLine.GetNumArguments(); ++i) {
        result.push_back(cmdLine.GetArgument(i).text);
    }
    return result;
}

struct SSplitCase {
    const char* text;
    std::vector<std::string> expected;
};

class CCmdLineSplitTest : public ::testing::TestWithParam<SSplitCase> {};

TEST_P(CCmdLineSplitTest, SplitsByRuntimeQuotingRules) {
    EXPECT_EQ(Split(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Quoting, CCmdLineSplitTest,
    ::testing::Values(SSplitCase{"a\\\\\"b c\"", {"a\\b c"}}, SSplitCase{"a\\\\\\\"b", {"a\\\"b"}},
                      SSplitCase{"C:\\dir\\\\\\file x\\", {"C:\\dir\\\\\\file", "x\\"}},
                      SSplitCase{"\"two words\" third", {"two words", "third"}},
                      SSplitCase{"\"\"", {}}, SSplitCase{"a \"\" b", {"a", "b"}},
                      SSplitCase{"", {}}, SSplitCase{"  \t a\t\tb  ", {"a", "b"}},
                      SSplitCase{"\"tab\tinside\"", {"tab\tinside"}},
                      SSplitCase{"\"open quote to end", {"open quote to end"}},
                      SSplitCase{"x\"y z\"w", {"xy zw"}},
                      SSplitCase{"trailing\\\\", {"trailing\\\\"}}));

TEST(CCmdLineTest, NullTextGivesNoArguments) {
    CCmdLine cmdLine(nullptr);
    EXPECT_EQ(cmdLine.GetNumArguments(), 0u);
    EXPECT_EQ(cmdLine.GetArgument(0).text, "");
    EXPECT_FALSE(cmdLine.GetArgument(5).isOption);
}

TEST(CCmdLineTest, OptionsAreFoundByLowerCasedText) {
    CCmdLine cmdLine("/Lang=NL file.wkp /Lang=NL");
    ASSERT_EQ(cmdLine.GetNumArguments(), 3u);
    EXPECT_TRUE(cmdLine.GetArgument(0).isOption);
    EXPECT_FALSE(cmdLine.GetArgument(1).isOption);
    EXPECT_TRUE(cmdLine.HasOption("/LANG=nl"));
    EXPECT_FALSE(cmdLine.HasOption("/lang"));
    // A later equal option replaces the index: the entry is the third argument.
    EXPECT_EQ(&cmdLine.GetOption("/lang=nl"), &cmdLine.GetArgument(2));
    EXPECT_EQ(cmdLine.GetOption("/other").text, "");
    EXPECT_TRUE(cmdLine.GetArgument(0).IsOption("/lang=nL"));
    EXPECT_FALSE(cmdLine.GetArgument(1).IsOption("file.wkp"));
    const char* names[] = {"x", "FILE.WKP", nullptr};
    EXPECT_TRUE(cmdLine.GetArgument(1).IsOneOf(names));
    EXPECT_FALSE(cmdLine.GetArgument(0).IsOneOf(names));
}

// Records what it was offered; answers from a script of results.
class CScriptedProcessor : public ICmdLineProcessor {
public:
    explicit CScriptedProcessor(std::vector<CCmdLineResult> answers) : m_answers(answers) {}
    CCmdLineResult ProcessArgument(CArguments::const_iterator current,
                                   CArguments::const_iterator) override {
        offered.push_back(current->text);
        const size_t i = offered.size() - 1;
        return i < m_answers.size() ? m_answers[i] : CCmdLineResult();
    }
    std::vector<std::string> offered;

private:
    std::vector<CCmdLineResult> m_answers;
};

TEST(CCmdLineTest, ConsumedArgumentsAreNotOfferedAgain) {
    CCmdLine cmdLine("/Open file.wkp last");
    CCmdLineResult consumeOne;
    consumeOne.consumed = 1;
    CScriptedProcessor processor({consumeOne});
    EXPECT_TRUE(cmdLine.Process(processor));
    EXPECT_EQ(processor.offered, std::vector<std::string>({"/Open", "last"}));
    EXPECT_FALSE(cmdLine.HasFailed());
}

TEST(CCmdLineTest, ConsumingMoreThanRemainsEndsProcessing) {
    CCmdLine cmdLine("a b");
    CCmdLineResult greedy;
    greedy.consumed = 10;
    CScriptedProcessor processor({greedy});
    EXPECT_TRUE(cmdLine.Process(processor));
    EXPECT_EQ(processor.offered, std::vector<std::string>({"a"}));
}

TEST(CCmdLineTest, RefusalStopsProcessingAndKeepsTheError) {
    CCmdLine cmdLine("/x a b");
    CCmdLineResult refused;
    refused.success = false;
    refused.errorText = "unknown option";
    CScriptedProcessor processor({refused});
    EXPECT_FALSE(cmdLine.Process(processor));
    EXPECT_TRUE(cmdLine.HasFailed());
    EXPECT_EQ(cmdLine.GetErrorText(), "unknown option");
    EXPECT_EQ(processor.offered, std::vector<std::string>({"/x"}));

    CScriptedProcessor accepting({});
    EXPECT_TRUE(cmdLine.Process(accepting));
    EXPECT_FALSE(cmdLine.HasFailed());
    EXPECT_EQ(cmdLine.GetErrorText(), "");
}

} // namespace
