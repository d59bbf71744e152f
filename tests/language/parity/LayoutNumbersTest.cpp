// The default column widths that the built program and the built Dutch module carry:
// each language's value for every layout number, so that no default width hides what a
// column is for (a negative width: the column that takes the rest of the list).

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

struct SLayoutNumber {
    unsigned id;
    int english;
    int dutch;
};

const SLayoutNumber kLayoutNumbers[] = {
    {30000, -120, -120}, // manage activities: Activity
    {30001, 50, 70},     // manage activities: In use
    {30002, -120, -120}, // choose activities: Activity
    {30003, -120, -120}, // import and export: Activity
    {30004, 50, 75},     // import and export: Result
    {30005, 50, 75},     // import and export: Traces
    {30006, -120, -120}, // main window: activity column
    {30007, 90, 90},     // main window: each time column
    {30008, -140, -140}, // manage tally marks: Activity
    {30009, 70, 70},     // manage tally marks: Duration
    {30010, 140, 140},   // manage tally marks: End
    {30011, 140, 140},   // manage tally marks: Start
};

// The built file name, beside the folder of this test program.
std::string BuiltFile(const char* name) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string path = self;
    return path.substr(0, path.rfind('\\')) + "\\..\\" + name;
}

// The signed 16-bit number of the RCDATA resource id; a text when it is missing or short.
std::string ReadNumber(HMODULE module, unsigned id) {
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));
    if (info == nullptr || SizeofResource(module, info) < 2) {
        return "missing";
    }
    const unsigned char* bytes =
        static_cast<const unsigned char*>(LockResource(LoadResource(module, info)));
    return std::to_string(static_cast<short>(bytes[0] | (bytes[1] << 8)));
}

class LayoutNumbers : public testing::TestWithParam<const char*> {};

TEST_P(LayoutNumbers, HoldTheLanguagesValues) {
    const bool dutch = std::string(GetParam()) == "Tallymarks_NL.dll";
    HMODULE module =
        LoadLibraryExA(BuiltFile(GetParam()).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << GetParam();
    for (const SLayoutNumber& number : kLayoutNumbers) {
        EXPECT_EQ(ReadNumber(module, number.id),
                  std::to_string(dutch ? number.dutch : number.english))
            << GetParam() << " layout number " << number.id;
    }
    FreeLibrary(module);
}

INSTANTIATE_TEST_SUITE_P(BothModules, LayoutNumbers,
                         testing::Values("Tallymarks.exe", "Tallymarks_NL.dll"));

} // namespace
