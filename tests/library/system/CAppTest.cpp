#include "library/system/CApp.h"

#include "ChildRoles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

TEST(CAppTest, NullModuleIsTheProgram) {
    CApp app(nullptr);
    EXPECT_EQ(app.GetModule(), GetModuleHandleA(nullptr));
    EXPECT_EQ(app.GetInstance(), app.GetModule());
    EXPECT_EQ(app.GetModulePath(), OwnProgramPath());
    const std::string& folder = app.GetModuleFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder + "\\test_library_system.exe", app.GetModulePath());
}

TEST(CAppTest, FolderIsFilledWithoutAskingForThePathFirst) {
    CApp app(nullptr);
    const std::string folder = app.GetModuleFolder();
    EXPECT_EQ(folder.back() == '\\', false);
    EXPECT_EQ(app.GetModulePath().substr(0, folder.size() + 1), folder + "\\");
}

TEST(CAppTest, OtherModuleGivesItsOwnPath) {
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    ASSERT_NE(kernel, nullptr);
    CApp app(kernel);
    EXPECT_EQ(app.GetModule(), kernel);
    EXPECT_EQ(Lower(app.GetModulePath()), Lower(app.GetModuleFolder() + "\\kernel32.dll"));
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    EXPECT_EQ(Lower(app.GetModuleFolder()), Lower(system));
}

} // namespace
