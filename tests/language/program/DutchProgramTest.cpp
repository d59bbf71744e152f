// The built program with Dutch chosen in its settings, run as a user runs it: the main
// window and every dialog of a menu command show the Dutch module's texts, three of them
// pictured on the display; a message with placeholders comes in Dutch; without the
// module the program says so and runs in English.

#include "library/system/CScratchFolder.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/EProjectFileFormat.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

const char kWindowClass[] = "TallymarksMain";

std::string Text(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string BuiltFile(const char* name) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string path = self;
    return path.substr(0, path.rfind('\\')) + "\\..\\" + name;
}

// The program and, unless left out, the Dutch module in a portable installation of
// their own, with Dutch chosen.
class CDutchInstallation {
public:
    explicit CDutchInstallation(bool withModule) {
        EXPECT_TRUE(CopyFileA(BuiltFile("Tallymarks.exe").c_str(),
                              m_folder.File("Tallymarks.exe").c_str(), FALSE));
        if (withModule) {
            EXPECT_TRUE(CopyFileA(BuiltFile("Tallymarks_NL.dll").c_str(),
                                  m_folder.File("Tallymarks_NL.dll").c_str(), FALSE));
        }
        CopyFolder(BuiltFile("Report templates"), m_folder.File("Report templates"));
        m_folder.Write("InstallSettings.ini",
                       "[Settings]\r\nPortableInstall=y\r\nReportsInstalled=1\r\n");
        m_folder.Write("UserSettings.ini", "[InactivityDetector]\r\nDetect=n\r\n[Settings]\r\n"
                                           "ShowTips=n\r\nLanguage=NL\r\n");
    }
    ~CDutchInstallation() {
        if (m_process.hProcess != nullptr) {
            TerminateProcess(m_process.hProcess, 1);
            CloseHandle(m_process.hProcess);
            CloseHandle(m_process.hThread);
        }
    }
    std::string MakeProject(const std::string& name) {
        CProject project;
        project.GetState(true)->SetName(name);
        project.GetState(true)->GetRootActivity()->AddChildActivity(
            new CActivity(project.GetState(true), "Schrijven", true), -1);
        const std::string path = m_folder.File(name + ".wkp");
        EXPECT_TRUE(project.Save(false, nullptr, path.c_str(), pffBinary));
        return path;
    }
    void Start(const std::string& arguments) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + m_folder.File("Tallymarks.exe") + "\" " + arguments;
        ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   m_folder.Path().c_str(), &startup, &m_process));
    }
    // The first visible top-level window of the program whose class is className.
    HWND WaitForWindow(const char* className, int seconds = 15) const {
        for (int i = 0; i < seconds * 20; ++i) {
            SFind find = {m_process.dwProcessId, className, nullptr};
            EnumWindows(FindOwn, reinterpret_cast<LPARAM>(&find));
            if (find.found != nullptr) {
                return find.found;
            }
            Sleep(50);
        }
        return nullptr;
    }
    DWORD Close(HWND mainWindow) {
        PostMessageA(mainWindow, WM_CLOSE, 0, 0);
        DWORD code = 0xDEAD;
        if (WaitForSingleObject(m_process.hProcess, 30000) == WAIT_OBJECT_0) {
            GetExitCodeProcess(m_process.hProcess, &code);
        }
        return code;
    }
    std::string Settings() const { return m_folder.Read("UserSettings.ini"); }

private:
    static void CopyFolder(const std::string& from, const std::string& to) {
        CreateDirectoryA(to.c_str(), nullptr);
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
        while (search != INVALID_HANDLE_VALUE) {
            const std::string name = found.cFileName;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (name != "." && name != "..") {
                    CopyFolder(from + "\\" + name, to + "\\" + name);
                }
            } else {
                CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
            }
            if (!FindNextFileA(search, &found)) {
                FindClose(search);
                break;
            }
        }
    }
    struct SFind {
        DWORD process;
        const char* className;
        HWND found;
    };
    static BOOL CALLBACK FindOwn(HWND window, LPARAM parameter) {
        SFind& find = *reinterpret_cast<SFind*>(parameter);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char className[64] = "";
        GetClassNameA(window, className, sizeof className);
        if (process == find.process && IsWindowVisible(window) &&
            lstrcmpiA(className, find.className) == 0) {
            find.found = window;
            return FALSE;
        }
        return TRUE;
    }

    CScratchFolder m_folder;
    PROCESS_INFORMATION m_process = {};
};

INT_PTR CALLBACK QuietProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// The program's and the module's resources, read as data, to compare the running
// program with.
class CResourceFiles {
public:
    CResourceFiles() {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
        InitCommonControlsEx(&controls);
        WNDCLASSA windowClass = {};
        windowClass.style = CS_GLOBALCLASS;
        windowClass.lpfnWndProc = DefDlgProcA;
        windowClass.cbWndExtra = DLGWINDOWEXTRA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kWindowClass;
        RegisterClassA(&windowClass);
        english =
            LoadLibraryExA(BuiltFile("Tallymarks.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        dutch = LoadLibraryExA(BuiltFile("Tallymarks_NL.dll").c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE);
    }
    ~CResourceFiles() {
        FreeLibrary(english);
        FreeLibrary(dutch);
    }
    static std::string String(HMODULE module, unsigned id) {
        char text[2048] = "";
        LoadStringA(module, id, text, sizeof text);
        return text;
    }
    // Each control's text (by identifier) and the caption of dialog id in module.
    static std::vector<std::pair<int, std::string>> DialogTexts(HMODULE module, unsigned id) {
        std::vector<std::pair<int, std::string>> texts;
        HWND dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(id), nullptr, QuietProc, 0);
        if (dialog == nullptr) {
            return texts;
        }
        texts.emplace_back(-2, Text(dialog));
        for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr;
             control = GetWindow(control, GW_HWNDNEXT)) {
            texts.emplace_back(GetDlgCtrlID(control), Text(control));
        }
        DestroyWindow(dialog);
        return texts;
    }

    HMODULE english;
    HMODULE dutch;
};

// Compares a running dialog with template id: every text that the module translates
// shows the module's text, not the English one; at least one such text shows.
void ExpectDutch(HWND live, unsigned id, const CResourceFiles& files) {
    const auto dutch = CResourceFiles::DialogTexts(files.dutch, id);
    const auto english = CResourceFiles::DialogTexts(files.english, id);
    ASSERT_FALSE(dutch.empty()) << "dialog " << id << " is not in the module";
    int translated = 0;
    for (const auto& entry : dutch) {
        std::string englishText;
        for (const auto& other : english) {
            if (other.first == entry.first) {
                englishText = other.second;
                break;
            }
        }
        if (entry.second.empty() || entry.second == englishText || entry.first == -1 ||
            entry.first == 0xFFFF) {
            continue; // unnamed labels cannot be told apart; untranslated texts prove nothing
        }
        HWND control = entry.first == -2 ? live : GetDlgItem(live, entry.first);
        const std::string shown = Text(control);
        EXPECT_NE(shown, englishText) << "dialog " << id << " control " << entry.first;
        translated += shown == entry.second ? 1 : 0;
    }
    EXPECT_GT(translated, 0) << "dialog " << id << " (\"" << Text(live) << "\": \""
                             << Text(GetDlgItem(live, 0xFFFF))
                             << "\") shows none of the module's texts";
}

// The screen as it shows a window: a 24-bit picture of the window's rectangle, bottom-up,
// each row padded to four bytes.
struct SPicture {
    BITMAPINFOHEADER header = {};
    std::vector<unsigned char> pixels;

    // How many pixels differ from the first: few on a plain area where nothing is drawn.
    size_t Differing() const {
        size_t differing = 0;
        for (size_t i = 3; i + 2 < pixels.size(); i += 3) {
            differing += pixels[i] != pixels[0] ? 1 : 0;
        }
        return differing;
    }
};

SPicture Picture(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    SPicture picture;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    picture.header = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader = picture.header;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
        GdiFlush();
        const size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
        const unsigned char* pixels = static_cast<const unsigned char*>(bits);
        picture.pixels.assign(pixels, pixels + rowBytes * static_cast<size_t>(height));
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return picture;
}

BOOL CALLBACK FindUnpainted(HWND window, LPARAM parameter) {
    if (IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(parameter) = true;
        return FALSE;
    }
    return TRUE;
}

// Waits, for at most ten seconds, until the program has drawn its dialog: the dialog
// shows, its thread answers messages, no part of it or of its controls waits to be
// painted, and the screen shows the same picture of it twice in a row, not a plain area.
bool WaitDrawn(HWND dialog) {
    const DWORD start = GetTickCount();
    std::vector<unsigned char> former;
    while (GetTickCount() - start < 10000) {
        DWORD_PTR answer = 0;
        bool unpainted = false;
        if (IsWindowVisible(dialog) &&
            SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer) != 0) {
            FindUnpainted(dialog, reinterpret_cast<LPARAM>(&unpainted));
            EnumChildWindows(dialog, FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
            if (!unpainted) {
                SPicture picture = Picture(dialog);
                if (picture.Differing() > 100 && picture.pixels == former) {
                    return true;
                }
                former = std::move(picture.pixels);
            }
        }
        Sleep(20);
    }
    return false;
}

// Under the display: the dialog's picture is written, and every control lies inside the
// dialog and no two labels or buttons overlap.
void PictureAndGeometry(HWND dialog, unsigned id) {
    RECT client;
    GetClientRect(dialog, &client);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
    std::vector<RECT> texts;
    for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
        if (!IsWindowVisible(control)) {
            continue;
        }
        RECT rect;
        GetWindowRect(control, &rect);
        EXPECT_TRUE(rect.left >= client.left && rect.top >= client.top &&
                    rect.right <= client.right && rect.bottom <= client.bottom)
            << "dialog " << id << " control " << GetDlgCtrlID(control) << " lies outside";
        char className[32] = "";
        GetClassNameA(control, className, sizeof className);
        const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
        const bool text =
            (lstrcmpiA(className, "Button") == 0 && (style & BS_TYPEMASK) != BS_GROUPBOX) ||
            (lstrcmpiA(className, "Static") == 0 && !Text(control).empty());
        if (!text) {
            continue;
        }
        for (const RECT& other : texts) {
            RECT overlap;
            EXPECT_FALSE(IntersectRect(&overlap, &rect, &other))
                << "dialog " << id << " control " << GetDlgCtrlID(control) << " overlaps";
        }
        texts.push_back(rect);
    }
    const SPicture picture = Picture(dialog);
    EXPECT_GT(picture.Differing(), 100u) << "dialog " << id << ": the picture is empty";
    BITMAPFILEHEADER header = {0x4D42, 0, 0, 0,
                               sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    header.bfSize = header.bfOffBits + static_cast<DWORD>(picture.pixels.size());
    std::ofstream file("language-dutch-" + std::to_string(id) + ".bmp", std::ios::binary);
    file.write(reinterpret_cast<const char*>(&header), sizeof header);
    file.write(reinterpret_cast<const char*>(&picture.header), sizeof picture.header);
    file.write(reinterpret_cast<const char*>(picture.pixels.data()),
               static_cast<std::streamsize>(picture.pixels.size()));
}

// A message box of the program: its caption and text (the static 65535).
struct SMessage {
    std::string caption;
    std::string text;
};

SMessage ReadAndAnswer(HWND box) {
    SMessage message{Text(box), Text(GetDlgItem(box, 0xFFFF))};
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return message;
}

bool WaitGone(HWND window) {
    for (int i = 0; i < 200 && IsWindow(window); ++i) {
        Sleep(50);
    }
    return !IsWindow(window);
}

TEST(DutchProgramTest, TheMainWindowAndEveryDialogOfAMenuCommandShowDutchTexts) {
    CResourceFiles files;
    CDutchInstallation installation(true);
    installation.Start("\"" + installation.MakeProject("Boek") + "\"");
    HWND main = installation.WaitForWindow(kWindowClass);
    ASSERT_NE(main, nullptr);
    ExpectDutch(main, IDD_MAIN, files);
    const struct {
        int command;
        unsigned dialog;
        bool picture;
    } commands[] = {
        {IDM_PROJECT_PROPERTIES, IDD_PROJECT_PROPERTIES, true},
        {IDM_PROJECT_REPORT, IDD_REPORT, true},
        {IDM_PROJECT_STATISTICS, IDD_PROJECT_STATS, false},
        {IDM_PROJECT_IMPORT, IDD_IMPORT, false},
        {IDM_PROJECT_EXPORT, IDD_EXPORT, false},
        {IDM_ACTIVITIES_MANAGE, IDD_ACTIVITIES, true},
        {IDM_TIME_NEW_TALLYMARK, IDD_TRACE, false},
        {IDM_TIME_MANAGE_TALLYMARKS, IDD_TRACES, false},
        {IDM_OPTIONS_SETTINGS, IDD_SETTINGS, true},
        {IDM_HELP_TIP, IDD_TIP, false},
        {IDM_HELP_ABOUT, IDD_ABOUT, false},
    };
    for (const auto& entry : commands) {
        SCOPED_TRACE("dialog " + std::to_string(entry.dialog));
        PostMessageA(main, WM_COMMAND, MAKEWPARAM(entry.command, 0), 0);
        HWND dialog = installation.WaitForWindow("#32770");
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(WaitDrawn(dialog)) << "the program did not draw its dialog";
        ExpectDutch(dialog, entry.dialog, files);
        if (entry.picture) {
            PictureAndGeometry(dialog, entry.dialog);
        }
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(WaitGone(dialog));
    }
    EXPECT_EQ(installation.Close(main), 0u);
}

TEST(DutchProgramTest, AMessageWithPlaceholdersIsDutch) {
    CResourceFiles files;
    CDutchInstallation installation(true);
    // A project file that does not exist: the program says so, naming it.
    installation.Start("\"Verdwenen boek.wkp\"");
    HWND box = installation.WaitForWindow("#32770");
    ASSERT_NE(box, nullptr);
    const SMessage message = ReadAndAnswer(box);
    // The module text it came from: its parts around the placeholders in order.
    bool found = false;
    for (unsigned id = 40000; id <= 40415 && !found; ++id) {
        const std::string text = CResourceFiles::String(files.dutch, id);
        if (text.find('[') == std::string::npos || text.find('[') < 8) {
            continue;
        }
        size_t at = 0;
        size_t from = 0;
        bool matches = true;
        while (matches && from < text.size()) {
            const size_t open = text.find('[', from);
            const std::string part =
                text.substr(from, open == std::string::npos ? std::string::npos : open - from);
            const size_t where = message.text.find(part, at);
            matches = !part.empty() ? where != std::string::npos && (from > 0 || where == 0) : true;
            at = part.empty() ? at : where + part.size();
            const size_t close = open == std::string::npos ? open : text.find(']', open);
            from = close == std::string::npos ? text.size() : close + 1;
        }
        found = matches;
    }
    EXPECT_TRUE(found) << "not a text of the module: " << message.text;
    EXPECT_NE(message.text.find("Verdwenen boek.wkp"), std::string::npos) << message.text;
    EXPECT_EQ(message.caption.rfind("Tallymarks - ", 0), 0u) << message.caption;
    HWND main = installation.WaitForWindow(kWindowClass);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(installation.Close(main), 0u);
}

TEST(DutchProgramTest, WithoutTheModuleTheProgramSaysSoAndRunsInEnglish) {
    CResourceFiles files;
    CDutchInstallation installation(false);
    installation.Start("");
    HWND box = installation.WaitForWindow("#32770");
    ASSERT_NE(box, nullptr);
    const SMessage message = ReadAndAnswer(box);
    std::string expected = CResourceFiles::String(files.english, 40017);
    expected.replace(expected.find("[ABBREVIATION]"), 14, "NL");
    EXPECT_EQ(message.text, expected);
    EXPECT_EQ(message.caption, CResourceFiles::String(files.english, 40018));
    HWND main = installation.WaitForWindow(kWindowClass);
    ASSERT_NE(main, nullptr);
    for (const auto& entry : CResourceFiles::DialogTexts(files.english, IDD_MAIN)) {
        if (entry.first > 0 && entry.first != 0xFFFF && !entry.second.empty()) {
            EXPECT_EQ(Text(GetDlgItem(main, entry.first)), entry.second) << entry.first;
        }
    }
    EXPECT_EQ(installation.Close(main), 0u);
    EXPECT_NE(installation.Settings().find("Language=NL"), std::string::npos);
}

} // namespace
