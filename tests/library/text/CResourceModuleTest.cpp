#include "library/system/CDLLLoader.h"
#include "library/system/CResourceData.h"
#include "library/system/CResourceModule.h"

#include "TestLanguageModule.h"
#include "TestResourceIds.h"

#include <gtest/gtest.h>

namespace {

const CTestLanguageModule& Language() {
    static CTestLanguageModule module({{IDS_TEST_SHARED, "text of the language"}},
                                      {{IDR_TEST_LAYOUT_SHARED, std::string("\x21\x43", 2)}});
    return module;
}

HINSTANCE Program() {
    return GetModuleHandleA(nullptr);
}

int LayoutNumber(const CResourceData& data) {
    if (!data.IsFound() || data.GetSize() < 2) {
        return -1;
    }
    return static_cast<int16_t>(data.GetData()[0] | (data.GetData()[1] << 8));
}

TEST(CResourceModuleTest, NullMeansTheProgramExceptForTheFallbackSetter) {
    HINSTANCE language = Language().GetInstance();
    ASSERT_NE(language, nullptr);

    CResourceModule standard;
    EXPECT_EQ(standard.GetInstance(), Program());
    EXPECT_FALSE(standard.HasFallback());

    CResourceModule single(nullptr);
    EXPECT_EQ(single.GetInstance(), Program());
    EXPECT_FALSE(single.HasFallback());

    CResourceModule pair(language, nullptr);
    EXPECT_EQ(pair.GetInstance(), language);
    EXPECT_EQ(pair.GetFallbackInstance(), Program());
    EXPECT_TRUE(pair.HasFallback());

    pair.SetInstance(nullptr);
    EXPECT_EQ(pair.GetInstance(), Program());
    pair.SetFallbackInstance(nullptr);
    EXPECT_FALSE(pair.HasFallback());
    EXPECT_EQ(pair.GetFallbackInstance(), nullptr);
}

TEST(CResourceModuleTest, LayoutNumberComesFromLanguageThenProgram) {
    ASSERT_NE(Language().GetInstance(), nullptr);
    CResourceModule language(Language().GetInstance(), nullptr);
    CResourceModule languageOnly(Language().GetInstance());
    CResourceModule program;
    const struct {
        const CResourceModule& module;
        unsigned int id;
        int expected; // -1: not found
    } cases[] = {
        {language, IDR_TEST_LAYOUT_SHARED, 0x4321},
        {program, IDR_TEST_LAYOUT_SHARED, 0x1234},
        {language, IDR_TEST_LAYOUT_PROGRAM_ONLY, 0x42},
        {languageOnly, IDR_TEST_LAYOUT_PROGRAM_ONLY, -1},
        // An empty resource is not found.
        {program, IDR_TEST_LAYOUT_EMPTY, -1},
        {language, 31999, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        CResourceData data(c.id, c.module);
        EXPECT_EQ(LayoutNumber(data), c.expected);
        if (!data.IsFound()) {
            EXPECT_EQ(data.GetData(), nullptr);
            EXPECT_EQ(data.GetSize(), 0u);
        }
    }
}

TEST(CResourceModuleTest, LoadingAnotherIdReplacesTheData) {
    CResourceData data(IDR_TEST_LAYOUT_SHARED, CResourceModule());
    ASSERT_TRUE(data.IsFound());
    EXPECT_FALSE(data.Load(31999, CResourceModule()));
    EXPECT_FALSE(data.IsFound());
    EXPECT_EQ(data.GetSize(), 0u);
    EXPECT_TRUE(data.Load(IDR_TEST_LAYOUT_PROGRAM_ONLY, CResourceModule()));
    CResourceData copy(data);
    data.Load(31999, CResourceModule());
    EXPECT_EQ(LayoutNumber(copy), 0x42) << "a copy keeps its bytes";
}

TEST(CResourceModuleTest, DataWithoutModuleUsesTheCurrentModule) {
    ASSERT_NE(Language().GetInstance(), nullptr);
    EXPECT_EQ(LayoutNumber(CResourceData(IDR_TEST_LAYOUT_SHARED)), 0x1234);
    CResourceModule language(Language().GetInstance(), nullptr);
    CResourceModule::SetCurrent(&language);
    EXPECT_EQ(&CResourceModule::GetCurrent(), &language);
    EXPECT_EQ(LayoutNumber(CResourceData(IDR_TEST_LAYOUT_SHARED)), 0x4321);
    CResourceData data(IDR_TEST_LAYOUT_EMPTY);
    EXPECT_TRUE(data.Load(IDR_TEST_LAYOUT_PROGRAM_ONLY));
    CResourceModule::SetCurrent(nullptr);
    EXPECT_EQ(CResourceModule::GetCurrent().GetInstance(), Program());
    EXPECT_EQ(LayoutNumber(CResourceData(IDR_TEST_LAYOUT_SHARED)), 0x1234);
}

TEST(CResourceModuleTest, FindServesAnyResourceType) {
    CResourceModule program;
    SResourceBytes bytes;
    EXPECT_TRUE(program.Find(IDS_TEST_SHARED / 16 + 1, RT_STRING, bytes));
    EXPECT_GT(bytes.size, 0u);
    EXPECT_FALSE(program.Find(IDR_TEST_LAYOUT_SHARED, RT_DIALOG, bytes));
    EXPECT_EQ(bytes.data, nullptr);
}

// Exported by oleaut32 under fixed ordinals since its first version.
TEST(CDLLLoaderTest, FunctionsByNameAndByOrdinal) {
    CDLLLoader loader("oleaut32.dll");
    ASSERT_NE(loader.GetModule(), nullptr);
    FARPROC byName = loader.GetFunction("SysAllocString");
    ASSERT_NE(byName, nullptr);
    EXPECT_EQ(loader.GetFunction(static_cast<WORD>(2)), byName);
    EXPECT_EQ(loader.GetFunction(static_cast<WORD>(6)), loader.GetFunction("SysFreeString"));
    EXPECT_EQ(loader.GetFunction("NoSuchFunction"), nullptr);
}

TEST(CDLLLoaderTest, EmptyOrFailedLoaderAnswersNothing) {
    CDLLLoader empty;
    EXPECT_EQ(empty.GetModule(), nullptr);
    EXPECT_EQ(empty.GetFunction("SysAllocString"), nullptr);
    EXPECT_EQ(empty.GetFunction(static_cast<WORD>(2)), nullptr);
    EXPECT_FALSE(empty.Unload());

    CDLLLoader loader("oleaut32.dll");
    EXPECT_FALSE(loader.Load("no_such_library_here.dll"));
    EXPECT_EQ(loader.GetModule(), nullptr) << "the old module goes even when the new fails";
    EXPECT_EQ(loader.GetFunction("SysAllocString"), nullptr);
}

TEST(CDLLLoaderTest, UnloadFreesTheLibrary) {
    // A library that the test program does not link.
    const char* name = "msimg32.dll";
    ASSERT_EQ(GetModuleHandleA(name), nullptr);
    {
        CDLLLoader loader(name);
        ASSERT_NE(loader.GetModule(), nullptr);
        EXPECT_EQ(GetModuleHandleA(name), loader.GetModule());
        EXPECT_TRUE(loader.Unload());
        EXPECT_EQ(GetModuleHandleA(name), nullptr);
        EXPECT_EQ(loader.GetModule(), nullptr);
        EXPECT_TRUE(loader.Load(name));
    }
    EXPECT_EQ(GetModuleHandleA(name), nullptr) << "the destructor frees the library";

    CDLLLoader attached;
    attached.Attach(LoadLibraryA(name));
    ASSERT_NE(GetModuleHandleA(name), nullptr);
    attached.Attach(Program()); // frees the library, takes the program
    EXPECT_EQ(GetModuleHandleA(name), nullptr);
    EXPECT_EQ(attached.GetModule(), Program());
    EXPECT_TRUE(attached.Unload());
    EXPECT_EQ(GetModuleHandleA(nullptr), Program());
}

TEST(CDLLLoaderTest, SharedLoaderIsOneObject) {
    EXPECT_EQ(&CDLLLoader::GetShared(), &CDLLLoader::GetShared());
    EXPECT_TRUE(CDLLLoader::GetShared().Load("user32.dll"));
    EXPECT_NE(CDLLLoader::GetShared().GetFunction("OpenInputDesktop"), nullptr);
    EXPECT_NE(CDLLLoader::GetShared().GetFunction("GetUserObjectInformationA"), nullptr);
    EXPECT_NE(CDLLLoader::GetShared().GetFunction("CloseDesktop"), nullptr);
    CDLLLoader::GetShared().Unload();
}

} // namespace
