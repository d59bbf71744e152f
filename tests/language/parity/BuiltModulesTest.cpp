// What the built program and the built Dutch module carry: each language's default
// column widths (a negative width: the column that takes the rest of the list), so that
// no default hides what a column is for; the settings pages as plain child templates in
// the font of every dialog, the other dialogs as extended ones.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
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

class BuiltModule : public testing::TestWithParam<const char*> {};

TEST_P(BuiltModule, LayoutNumbersHoldTheLanguagesValues) {
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

// A dialog template's kind, style and font as "plain|extended 0x........ size name".
std::string DescribeDialog(HMODULE module, unsigned id) {
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), RT_DIALOG);
    const DWORD size = info != nullptr ? SizeofResource(module, info) : 0;
    if (size < 26) {
        return "missing";
    }
    const unsigned char* bytes =
        static_cast<const unsigned char*>(LockResource(LoadResource(module, info)));
    const auto word = [&](size_t at) {
        return static_cast<unsigned>(bytes[at] | bytes[at + 1] << 8);
    };
    const bool extended = word(0) == 1 && word(2) == 0xFFFF;
    const DWORD style = word(extended ? 12 : 0) | word(extended ? 14 : 2) << 16;
    size_t at = extended ? 26 : 18;
    for (int text = 0; text < 3; ++text) { // menu, class, caption
        if (word(at) == 0xFFFF) {
            at += 4;
        } else {
            while (at + 1 < size && word(at) != 0) {
                at += 2;
            }
            at += 2;
        }
    }
    std::string font;
    if ((style & DS_SETFONT) != 0) {
        font = std::to_string(word(at)) + " ";
        for (at += extended ? 6 : 2; at + 1 < size && word(at) != 0; at += 2) {
            font += static_cast<char>(word(at));
        }
    }
    char text[32];
    snprintf(text, sizeof text, " 0x%08lX ", static_cast<unsigned long>(style & WS_CHILD));
    return (extended ? "extended" : "plain") + std::string(text) + font;
}

TEST_P(BuiltModule, SettingsPagesArePlainChildTemplates) {
    HMODULE module =
        LoadLibraryExA(BuiltFile(GetParam()).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << GetParam();
    const std::string page = "plain 0x40000000 8 MS Sans Serif";
    const std::string other = "extended 0x00000000 8 MS Sans Serif";
    for (unsigned id :
         {100u, 101u, 102u, 103u, 104u, 105u, 106u, 108u, 109u, 110u, 111u, 112u, 113u,
          114u, 115u, 116u, 117u, 118u, 120u, 150u, 151u, 152u, 153u, 154u, 155u}) {
        EXPECT_EQ(DescribeDialog(module, id), id >= 150 ? page : other)
            << GetParam() << " dialog " << id;
    }
    FreeLibrary(module);
}

// Messages whose wording each language must keep as it is: the help message asks for a
// re-installation, the caption of a wrong number of columns names the time information.
TEST_P(BuiltModule, MessagesKeepTheirWording) {
    const bool dutch = std::string(GetParam()) == "Tallymarks_NL.dll";
    const struct {
        unsigned id;
        const wchar_t* english;
        const wchar_t* dutch;
    } texts[] = {
        {40033,
         L"The help pages are not installed.  Please re-install Tallymarks to use the help pages.",
         L"De helppagina's zijn niet ge\u00efnstalleerd.  Installeer Tallymarks opnieuw om de "
         L"helppagina's te gebruiken."},
        {40316, L"Tallymarks - Invalid number of time information columns",
         L"Tallymarks - Ongeldig aantal kolommen met tijdinformatie"},
    };
    HMODULE module =
        LoadLibraryExA(BuiltFile(GetParam()).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << GetParam();
    for (const auto& expected : texts) {
        // Compared as the module holds it, whatever the system's code page.
        wchar_t text[512] = L"";
        LoadStringW(module, expected.id, text, 512);
        EXPECT_EQ(std::wstring(text), dutch ? expected.dutch : expected.english)
            << GetParam() << " string " << expected.id;
    }
    FreeLibrary(module);
}

INSTANTIATE_TEST_SUITE_P(BothModules, BuiltModule,
                         testing::Values("Tallymarks.exe", "Tallymarks_NL.dll"));

} // namespace
