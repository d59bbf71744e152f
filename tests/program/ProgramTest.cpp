// The built program, run as a user runs it: start and close, the hand-over from a second
// instance, hostile hand-over messages from another process, and exit codes.

#include "library/system/CScratchFolder.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/EProjectFileFormat.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

const char kWindowClass[] = "TallymarksMain";

// A copy of the program in a folder of its own, a portable installation, so that its
// settings stay there.
class CInstalledProgram {
public:
    CInstalledProgram() {
        // The program lies in the build folder, above the test programs.
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        std::string built = self;
        built = built.substr(0, built.rfind('\\')) + "\\..\\Tallymarks.exe";
        m_exe = m_folder.File("Tallymarks.exe");
        EXPECT_TRUE(CopyFileA(built.c_str(), m_exe.c_str(), FALSE)) << built;
        m_folder.Write("InstallSettings.ini", "[Settings]\r\nPortableInstall=y\r\n");
        m_folder.Write("UserSettings.ini",
                       "[InactivityDetector]\r\nDetect=n\r\n[Settings]\r\nShowTips=n\r\n");
    }
    ~CInstalledProgram() {
        // A test that failed may leave its instance running: it must not outlive the test.
        if (m_first.hProcess != nullptr &&
            WaitForSingleObject(m_first.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(m_first.hProcess, 1);
            WaitForSingleObject(m_first.hProcess, 5000);
        }
        for (HANDLE process : {m_first.hProcess, m_first.hThread}) {
            if (process != nullptr) {
                CloseHandle(process);
            }
        }
    }

    // Starts an instance in the folder with arguments; its process handle, or null.
    PROCESS_INFORMATION Start(const std::string& arguments) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        std::string commandLine = "\"" + m_exe + "\" " + arguments;
        EXPECT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   m_folder.Path().c_str(), &startup, &process))
            << "error " << GetLastError() << " starting " << commandLine;
        return process;
    }
    // Starts the first instance and waits for its main window.
    HWND StartFirst(const std::string& arguments) {
        m_first = Start(arguments);
        for (int i = 0; i < 300; ++i) {
            HWND window = FindWindowA(kWindowClass, nullptr);
            if (window != nullptr && IsWindowVisible(window)) {
                return window;
            }
            Sleep(50);
        }
        return nullptr;
    }
    DWORD WaitFirst() { return Wait(m_first.hProcess); }
    DWORD FirstProcessId() const { return m_first.dwProcessId; }
    std::string Read(const std::string& file) const { return m_folder.Read(file); }
    static DWORD Wait(HANDLE process) {
        DWORD code = 0xDEAD;
        if (WaitForSingleObject(process, 30000) == WAIT_OBJECT_0) {
            GetExitCodeProcess(process, &code);
        }
        return code;
    }
    std::string MakeProject(const std::string& file, const std::string& name) {
        CProject project;
        project.GetState(true)->SetName(name);
        CActivity* activity = new CActivity(project.GetState(true), "Write", true);
        project.GetState(true)->GetRootActivity()->AddChildActivity(activity, -1);
        const std::string path = m_folder.File(file);
        EXPECT_TRUE(project.Save(false, nullptr, path.c_str(), pffBinary));
        return path;
    }
    std::string Settings() const { return m_folder.Read("UserSettings.ini"); }

private:
    CScratchFolder m_folder;
    std::string m_exe;
    PROCESS_INFORMATION m_first = {};
};

std::string Title(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool WaitForTitle(HWND window, const std::string& part) {
    for (int i = 0; i < 200; ++i) {
        if (Title(window).find(part) != std::string::npos) {
            return true;
        }
        Sleep(50);
    }
    return false;
}

struct SWindowSearch {
    DWORD processId;
    HWND except;
    int buttonId;
    HWND found;
};

BOOL CALLBACK FindDialogWithButton(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<SWindowSearch*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search->processId && window != search->except && IsWindowVisible(window) &&
        GetDlgItem(window, search->buttonId) != nullptr) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window of the process, other than except, with the button; waits
// for it up to a few seconds.
HWND WaitForDialogWithButton(DWORD processId, HWND except, int buttonId) {
    for (int i = 0; i < 200; ++i) {
        SWindowSearch search = {processId, except, buttonId, nullptr};
        EnumWindows(&FindDialogWithButton, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            return search.found;
        }
        Sleep(25);
    }
    return nullptr;
}

HWND WaitForWindow(const char* caption) {
    for (int i = 0; i < 200; ++i) {
        if (HWND window = FindWindowA(nullptr, caption)) {
            return window;
        }
        Sleep(25);
    }
    return nullptr;
}

std::string LoadedName(const std::string& path) {
    CProject project;
    const CError error = project.Load(CFilePath(path));
    return error.IsError() ? "error: " + error.GetText() : project.GetState()->GetName();
}

} // namespace

TEST(ProgramTest, StartsAndClosesCleanlyTwentyTimesInARow) {
    CInstalledProgram program;
    for (int run = 0; run < 20; ++run) {
        HWND window = program.StartFirst("");
        ASSERT_NE(window, nullptr) << "run " << run;
        EXPECT_EQ(Title(window), "Tallymarks");
        PostMessageA(window, WM_CLOSE, 0, 0);
        ASSERT_EQ(program.WaitFirst(), 0u) << "run " << run;
    }
    EXPECT_NE(program.Settings().find("[View]"), std::string::npos);
}

TEST(ProgramTest, ASecondInstanceHandsItsFileOverAndEnds) {
    CInstalledProgram program;
    const std::string first = program.MakeProject("First project.wkp", "First");
    program.MakeProject("Second project.wkp", "Second");
    HWND window = program.StartFirst("\"" + first + "\"");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitForTitle(window, "First"));
    // A relative path with blanks: the second instance resolves it in its own folder.
    PROCESS_INFORMATION second = program.Start("\"Second project.wkp\"");
    EXPECT_EQ(CInstalledProgram::Wait(second.hProcess), 0u);
    CloseHandle(second.hProcess);
    CloseHandle(second.hThread);
    EXPECT_TRUE(WaitForTitle(window, "Second")) << Title(window);
    // A file that is open already only becomes current again.
    PROCESS_INFORMATION third = program.Start("\"" + first + "\"");
    EXPECT_EQ(CInstalledProgram::Wait(third.hProcess), 0u);
    CloseHandle(third.hProcess);
    CloseHandle(third.hThread);
    EXPECT_TRUE(WaitForTitle(window, "First")) << Title(window);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitFirst(), 0u);
    const std::string settings = program.Settings();
    EXPECT_NE(settings.find("Size=2"), std::string::npos) << settings;
}

TEST(ProgramTest, HostileHandOverMessagesChangeNothing) {
    CInstalledProgram program;
    const std::string first = program.MakeProject("First.wkp", "First");
    const std::string second = program.MakeProject("Second.wkp", "Second");
    HWND window = program.StartFirst("\"" + first + "\"");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitForTitle(window, "First"));
    const std::string named = second;
    const char emptyText[8] = {'\0', 'x', 'y', 'z', 'w', 'v', 'u', 't'};
    struct SCase {
        ULONG_PTR code;
        const void* data;
        DWORD size;
    } cases[] = {
        {112, nullptr, 0},
        {112, nullptr, 200},
        {112, emptyText, sizeof emptyText},
        {111, named.c_str(), static_cast<DWORD>(named.size() + 1)},
        {4711, named.c_str(), static_cast<DWORD>(named.size() + 1)},
    };
    for (const SCase& entry : cases) {
        COPYDATASTRUCT copy = {entry.code, entry.size, const_cast<void*>(entry.data)};
        DWORD_PTR answer = 0;
        EXPECT_NE(SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy),
                                      SMTO_ABORTIFHUNG, 5000, &answer),
                  0);
    }
    EXPECT_EQ(Title(window).find("Second"), std::string::npos) << Title(window);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitFirst(), 0u);
    EXPECT_EQ(program.Settings().find(second), std::string::npos);
}

// A close request from another program while Save as asks for the file: refused, and the
// confirmed save rewrites the project file with the project it still holds.
TEST(ProgramTest, ACloseRequestDuringSaveAsLeavesTheFileWhole) {
    CInstalledProgram program;
    const std::string work = program.MakeProject("Work.wkp", "Work");
    const std::string before = program.Read("Work.wkp");
    HWND window = program.StartFirst("\"" + work + "\"");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitForTitle(window, "Work"));
    PostMessageA(window, WM_COMMAND, IDM_PROJECT_SAVE_AS, 0);
    HWND saveDialog = WaitForWindow("Tallymarks - Save project");
    ASSERT_NE(saveDialog, nullptr);

    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
    const bool keptDuring = IsWindow(window) && IsWindowVisible(window);
    // A posted Exit from the menu is turned away too.
    PostMessageA(window, WM_COMMAND, IDM_PROJECT_EXIT, 0);

    PostMessageA(saveDialog, WM_COMMAND, IDOK, 0);
    // The system asks before it replaces the existing file.
    HWND replace = WaitForDialogWithButton(program.FirstProcessId(), saveDialog, IDYES);
    ASSERT_NE(replace, nullptr);
    PostMessageA(replace, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(replace, IDYES)));
    for (int i = 0; i < 200 && IsWindow(saveDialog); ++i) {
        Sleep(25);
    }
    EXPECT_FALSE(IsWindow(saveDialog));
    EXPECT_TRUE(keptDuring);
    EXPECT_TRUE(IsWindow(window));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitFirst(), 0u);
    EXPECT_EQ(program.Read("Work.wkp"), before);
    EXPECT_EQ(LoadedName(work), "Work");
}
