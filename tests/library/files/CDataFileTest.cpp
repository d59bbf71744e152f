#include "library/files/CDataFile.h"
#include "library/files/CDataStream.h"

#include "FaultyFileSystem.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

const char* const kAbsent = "<absent>";
// Path ends that select the files of a save of Plan.wkp at the test clock's time.
const char* const kTarget = "\\Plan.wkp";
const char* const kBackup = " 14-02-09.wkp";
const char* const kWorking = ".wkp.tmp";

CDataStream Stream(const std::string& bytes) {
    CDataStream stream;
    stream.SetData(bytes);
    return stream;
}

class CDataFileTest : public ::testing::Test {
protected:
    // The files named as backups (working copies end in ".tmp").
    std::vector<std::string> Backups() const {
        std::vector<std::string> backups;
        for (const std::string& name : m_folder.List()) {
            if (name.find(" backup ") != std::string::npos &&
                name.compare(name.size() - 4, 4, ".tmp") != 0) {
                backups.push_back(name);
            }
        }
        return backups;
    }

    HANDLE OpenAsOtherProgram(const std::string& name, DWORD access, DWORD share) const {
        return CreateFileA(m_folder.Path(name).c_str(), access, share, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    }

    // Whether another program could now open the file exclusively.
    bool IsFree(const std::string& name) const {
        HANDLE exclusive = OpenAsOtherProgram(name, GENERIC_READ | GENERIC_WRITE, 0);
        CloseHandle(exclusive);
        return exclusive != INVALID_HANDLE_VALUE;
    }

    // Plan.wkp ("plan") held by a data file on the faulty file system; Other.wkp
    // ("other") beside it.
    void HoldPlan(CDataFile& file, CDataStream& stream) {
        m_folder.WriteFile("Plan.wkp", "plan");
        m_folder.WriteFile("Other.wkp", "other");
        ASSERT_TRUE(file.Read(stream, m_folder.Path("Plan.wkp").c_str()));
    }

    CScratchFolder m_folder;
    CFaultyFileSystem m_faulty;
};

TEST_F(CDataFileTest, NewFileIsWrittenWithoutBackupThenSavedOverWithOne) {
    const std::string path = m_folder.Path("Plan.wkp");
    CDataFile file;
    SDataFileSaveResult result = file.Write(Stream("first version"), path.c_str());
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.status, dfsWritten);
    EXPECT_EQ(result.backupPath, "");
    EXPECT_EQ(result.path, path);
    EXPECT_TRUE(file.IsOpen());
    EXPECT_EQ(file.GetPath(), path);

    result = file.Write(Stream("2nd"));
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.status, dfsWritten);
    EXPECT_NE(result.backupPath.find("Plan backup "), std::string::npos) << result.backupPath;
    EXPECT_EQ(result.path, path);
    EXPECT_EQ(m_folder.ReadFile("Plan.wkp"), "2nd") << "the shorter content truncates the file";
    EXPECT_EQ(m_folder.List(), std::vector<std::string>{"Plan.wkp"}) << "backup deleted";

    CDataStream stream;
    ASSERT_TRUE(file.Read(stream));
    EXPECT_EQ(stream.GetData(), "2nd");
}

TEST_F(CDataFileTest, HeldFileMayBeReadButNotWrittenByOthers) {
    m_folder.WriteFile("Plan.wkp", "content");
    CDataFile file;
    CDataStream stream;
    stream.SetData("xx");
    uint32_t skipped;
    stream.ReadUInt(skipped);
    ASSERT_TRUE(file.Read(stream, m_folder.Path("Plan.wkp").c_str()));
    EXPECT_EQ(stream.GetData(), "content");
    EXPECT_EQ(stream.GetPosition(), 0u);
    EXPECT_FALSE(file.IsReadOnly());

    HANDLE writer =
        OpenAsOtherProgram("Plan.wkp", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    HANDLE reader =
        OpenAsOtherProgram("Plan.wkp", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    CloseHandle(reader);

    EXPECT_TRUE(file.Close());
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.GetPath(), "");
    EXPECT_TRUE(IsFree("Plan.wkp"));
}

TEST_F(CDataFileTest, OtherSpellingsOfTheHeldFileUseItsHandle) {
    CDataFile file(m_faulty);
    CDataStream stream;
    HoldPlan(file, stream);
    std::string upper = m_folder.Path("PLAN.WKP");
    ASSERT_TRUE(file.Read(stream, upper.c_str()));
    ASSERT_TRUE(file.Read(stream, nullptr));
    EXPECT_EQ(m_faulty.Calls(opOpenRead), 1);
    EXPECT_EQ(file.GetPath(), m_folder.Path("Plan.wkp"));

    ASSERT_TRUE(file.Read(stream, m_folder.Path("Other.wkp").c_str()));
    EXPECT_EQ(stream.GetData(), "other");
    EXPECT_EQ(file.GetPath(), m_folder.Path("Other.wkp"));
    EXPECT_TRUE(IsFree("Plan.wkp")) << "the first file was let go";
}

TEST_F(CDataFileTest, FileWrittenByAnotherProgramIsHeldReadOnly) {
    m_folder.WriteFile("Plan.wkp", "old");
    HANDLE other = OpenAsOtherProgram("Plan.wkp", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    CDataFile file;
    CDataStream stream;
    ASSERT_TRUE(file.Read(stream, m_folder.Path("Plan.wkp").c_str()));
    EXPECT_TRUE(file.IsReadOnly());
    EXPECT_EQ(stream.GetData(), "old");

    SDataFileSaveResult result = file.Write(Stream("new"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.status, dfsNotWritten);
    EXPECT_TRUE(file.IsReadOnly());
    EXPECT_EQ(m_folder.ReadFile("Plan.wkp"), "old");
    EXPECT_TRUE(Backups().empty());

    CloseHandle(other);
    result = file.Write(Stream("new"));
    EXPECT_EQ(result.status, dfsWritten);
    EXPECT_FALSE(file.IsReadOnly());
    EXPECT_EQ(m_folder.ReadFile("Plan.wkp"), "new");
}

TEST_F(CDataFileTest, LockedFileIsNeitherReadNorSavedOver) {
    m_folder.WriteFile("Held.wkp", "held");
    m_folder.WriteFile("Plan.wkp", "old");
    CDataFile file;
    CDataStream stream;
    ASSERT_TRUE(file.Read(stream, m_folder.Path("Held.wkp").c_str()));

    HANDLE lock = OpenAsOtherProgram("Plan.wkp", GENERIC_READ | GENERIC_WRITE, 0);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(file.Read(stream, m_folder.Path("Plan.wkp").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(file.GetPath(), m_folder.Path("Held.wkp"));
    EXPECT_EQ(stream.GetData(), "held");

    SDataFileSaveResult result = file.Write(Stream("new"), m_folder.Path("Plan.wkp").c_str());
    CloseHandle(lock);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.status, dfsNoBackup);
    EXPECT_NE(result.backupPath, "");
    EXPECT_TRUE(Backups().empty());
    EXPECT_EQ(m_folder.ReadFile("Plan.wkp"), "old");
    EXPECT_EQ(file.GetPath(), m_folder.Path("Held.wkp"));
}

TEST_F(CDataFileTest, TargetInMissingFolderIsNotWritten) {
    const std::string path = m_folder.Path("missing\\Plan.wkp");
    CDataFile file;
    CDataStream stream;
    EXPECT_FALSE(file.Read(stream, path.c_str()));
    SDataFileSaveResult result = file.Write(Stream("new"), path.c_str());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.status, dfsNotWritten);
    EXPECT_EQ(result.backupPath, "");
    EXPECT_FALSE(file.IsOpen());
    EXPECT_TRUE(m_folder.List().empty());

    result = file.Write(Stream("new"));
    EXPECT_FALSE(result.ok) << "no file is held";
    EXPECT_EQ(result.status, dfsNotWritten);
}

// Windows refuses to open a read-only file for writing; Wine run by root allows it.
// Either way the old or the new content is there and the read-only backup is gone.
TEST_F(CDataFileTest, ReadOnlyTargetLeavesNoBackupBehind) {
    m_folder.WriteFile("Plan.wkp", "old");
    ASSERT_TRUE(SetFileAttributesA(m_folder.Path("Plan.wkp").c_str(), FILE_ATTRIBUTE_READONLY));
    CDataFile file;
    SDataFileSaveResult result = file.Write(Stream("new"), m_folder.Path("Plan.wkp").c_str());
    if (result.ok) {
        EXPECT_EQ(result.status, dfsWritten);
        EXPECT_EQ(m_folder.ReadFile("Plan.wkp"), "new");
    } else {
        EXPECT_EQ(result.status, dfsNotWritten);
        EXPECT_EQ(m_folder.ReadFile("Plan.wkp"), "old");
    }
    EXPECT_NE(result.backupPath, "");
    EXPECT_TRUE(Backups().empty());
}

TEST_F(CDataFileTest, BackupNameCarriesTheLocalTimeBeforeTheExtension) {
    CDataFile file(m_faulty); // local time 2010-05-03 14:02:09
    const struct {
        const char* target;
        const char* backup;
    } cases[] = {
        {"D:\\Work\\Plan.wkp", "D:\\Work\\Plan backup 2010-05-03 14-02-09.wkp"},
        {"C:\\dir.x\\Plan", "C:\\dir.x\\Plan backup 2010-05-03 14-02-09"},
        {"C:/dir.x/Plan", "C:/dir.x/Plan backup 2010-05-03 14-02-09"},
        {"Plan.tar.gz", "Plan.tar backup 2010-05-03 14-02-09.gz"},
        {"Plan", "Plan backup 2010-05-03 14-02-09"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(file.MakeBackupName(c.target), c.backup);
    }

    m_folder.WriteFile("Plan backup 2010-05-03 14-02-09.wkp", "");
    ASSERT_TRUE(CreateDirectoryA(m_folder.Path("Plan backup 2010-05-03 14-02-09 (2).wkp").c_str(),
                                 nullptr));
    EXPECT_EQ(file.MakeBackupName(m_folder.Path("Plan.wkp")),
              m_folder.Path("Plan backup 2010-05-03 14-02-09 (3).wkp"));
}

TEST_F(CDataFileTest, SavesWithinOneSecondGetNumberedBackups) {
    m_folder.WriteFile("Plan.wkp", "v1");
    m_faulty.Fail(opDelete, kBackup);
    m_faulty.Fail(opDelete, " (2).wkp");
    CDataFile file(m_faulty);
    CDataStream stream;
    ASSERT_TRUE(file.Read(stream, m_folder.Path("Plan.wkp").c_str()));

    SDataFileSaveResult first = file.Write(Stream("v2"));
    EXPECT_EQ(GetLastError(), FaultError(opDelete));
    SDataFileSaveResult second = file.Write(Stream("v3"));
    for (const SDataFileSaveResult* result : {&first, &second}) {
        EXPECT_TRUE(result->ok);
        EXPECT_EQ(result->status, dfsBackupNotDeleted);
    }
    EXPECT_EQ(first.backupPath, m_folder.Path("Plan backup 2010-05-03 14-02-09.wkp"));
    EXPECT_EQ(second.backupPath, m_folder.Path("Plan backup 2010-05-03 14-02-09 (2).wkp"));
    EXPECT_EQ(m_folder.ReadFile("Plan backup 2010-05-03 14-02-09.wkp"), "v1");
    EXPECT_EQ(m_folder.ReadFile("Plan backup 2010-05-03 14-02-09 (2).wkp"), "v2");
    EXPECT_EQ(m_folder.ReadFile("Plan.wkp"), "v3");
}

enum EScenario {
    scHeld,          // Plan.wkp is held and saved over
    scOtherExisting, // Held.wkp is held; the save goes to the existing Plan.wkp
    scOtherNew,      // Held.wkp is held; the save goes to Plan.wkp, which is missing
};

struct SFault {
    EFileOperation operation;
    const char* pathPart;
};

struct SFailureCase {
    const char* name;
    EScenario scenario;
    std::vector<SFault> faults;
    uint32_t status;
    const char* target; // the content of Plan.wkp afterwards; null: not checked
    bool backupLeft;    // a backup with the old content is left
    DWORD error;        // the last error after the save
    bool heldFileOpenAfter;
};

void PrintTo(const SFailureCase& c, std::ostream* out) {
    *out << c.name;
}

class CDataFileFailureTest : public CDataFileTest,
                             public ::testing::WithParamInterface<SFailureCase> {};

TEST_P(CDataFileFailureTest, OldContentSurvivesInTargetOrBackup) {
    const SFailureCase& c = GetParam();
    const bool held = c.scenario == scHeld;
    if (c.scenario != scOtherNew) {
        m_folder.WriteFile("Plan.wkp", "old");
    }
    if (!held) {
        m_folder.WriteFile("Held.wkp", "held");
    }
    CDataFile file(m_faulty);
    CDataStream stream;
    ASSERT_TRUE(file.Read(stream, m_folder.Path(held ? "Plan.wkp" : "Held.wkp").c_str()));
    for (const SFault& fault : c.faults) {
        m_faulty.Fail(fault.operation, fault.pathPart);
    }

    const std::string target = m_folder.Path("Plan.wkp");
    SDataFileSaveResult result = file.Write(Stream("new content"), held ? nullptr : target.c_str());
    const DWORD error = GetLastError();

    EXPECT_EQ(result.ok, c.status <= dfsBackupNotDeleted);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(result.path, target);
    if (c.target != nullptr) {
        EXPECT_EQ(m_folder.ReadFile("Plan.wkp"), c.target);
    }
    const std::vector<std::string> backups = Backups();
    EXPECT_EQ(backups.size(), c.backupLeft ? 1u : 0u);
    if (c.scenario == scOtherNew) {
        EXPECT_EQ(result.backupPath, "");
    } else {
        EXPECT_EQ(result.backupPath, m_folder.Path("Plan backup 2010-05-03 14-02-09.wkp"));
        const bool oldInTarget = m_folder.ReadFile("Plan.wkp") == "old";
        const bool oldInBackup = c.backupLeft && m_folder.ReadFile(backups.front()) == "old";
        EXPECT_TRUE(oldInTarget || oldInBackup) << "the old content was lost";
    }
    EXPECT_EQ(file.IsOpen(), c.heldFileOpenAfter);
    if (!held) {
        EXPECT_EQ(file.GetPath(), m_folder.Path("Held.wkp"));
        EXPECT_EQ(m_folder.ReadFile("Held.wkp"), "held");
    } else if (file.IsOpen()) {
        EXPECT_FALSE(file.IsReadOnly());
        ASSERT_TRUE(file.Read(stream));
        EXPECT_EQ(stream.GetData(), m_folder.ReadFile("Plan.wkp"));
    }
}

// One case per line: name, scenario, faults, status, Plan.wkp afterwards, backup left,
// last error, held file open afterwards.
// clang-format off
const SFailureCase kFailureCases[] = {
    {"BackupNotDeleted", scHeld, {{opDelete, kBackup}}, dfsBackupNotDeleted, "new content", true, FaultError(opDelete), true},
    {"BackupNotCreated", scHeld, {{opOpenCreate, ""}}, dfsNoBackup, "old", false, FaultError(opOpenCreate), true},
    {"BackupCopyFull", scHeld, {{opShortWrite, kWorking}}, dfsNoBackup, "old", false, ERROR_DISK_FULL, true},
    {"BackupNotNamedNotRemoved", scHeld, {{opMove, kWorking}, {opDelete, kWorking}}, dfsNoBackup, "old", false, FaultError(opMove), true},
    {"OtherNotOpenedForBackup", scOtherExisting, {{opOpenRead, kTarget}}, dfsNoBackup, "old", false, FaultError(opOpenRead), true},
    {"NewFileDamaged", scOtherNew, {{opWrite, ""}, {opDelete, kTarget}}, dfsDamagedNoBackup, nullptr, false, FaultError(opDelete), true},
    {"DamagedWithBackup", scHeld, {{opWrite, kTarget}, {opDelete, kTarget}}, dfsDamagedWithBackup, nullptr, true, FaultError(opDelete), false},
    {"RestoredAfterWrite", scHeld, {{opWrite, kTarget}}, dfsNotWritten, "old", false, FaultError(opWrite), true},
    {"RestoredAfterShortWrite", scHeld, {{opShortWrite, kTarget}}, dfsNotWritten, "old", false, ERROR_DISK_FULL, true},
    {"RestoredAfterTruncate", scHeld, {{opTruncate, kTarget}}, dfsNotWritten, "old", false, FaultError(opTruncate), true},
    {"RestoredAfterFlush", scHeld, {{opFlush, kTarget}}, dfsNotWritten, "old", false, FaultError(opFlush), true},
    {"OtherRestoredAfterWrite", scOtherExisting, {{opWrite, kTarget}}, dfsNotWritten, "old", false, FaultError(opWrite), true},
    {"NewFileRemoved", scOtherNew, {{opWrite, ""}}, dfsNotWritten, kAbsent, false, FaultError(opWrite), true},
    {"OpenFails", scOtherExisting, {{opOpenWrite, ""}}, dfsNotWritten, "old", false, FaultError(opOpenWrite), true},
    {"OpenOfNewFileFails", scOtherNew, {{opOpenWrite, ""}}, dfsNotWritten, kAbsent, false, FaultError(opOpenWrite), true},
    {"OpenFailsBackupLeft", scOtherExisting, {{opOpenWrite, ""}, {opDelete, kBackup}}, dfsNotWrittenBackupLeft, "old", true, FaultError(opDelete), true},
    {"RestoreFails", scHeld, {{opWrite, kTarget}, {opMove, kBackup}}, dfsRestoreFailed, kAbsent, true, FaultError(opMove), false},
    {"ReopenFails", scHeld, {{opWrite, kTarget}, {opOpenRead, kTarget}}, dfsReopenFailed, "old", false, FaultError(opOpenRead), false},
    {"ExistsQueryFailsBackupStillMade", scOtherExisting, {{opExists, kTarget}, {opWrite, kTarget}}, dfsNotWritten, "old", false, FaultError(opWrite), true},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Statuses, CDataFileFailureTest, ::testing::ValuesIn(kFailureCases),
                         [](const ::testing::TestParamInfo<SFailureCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(CDataFileTest, ReadFailuresKeepTheHeldFile) {
    CDataFile file(m_faulty);
    CDataStream stream;
    HoldPlan(file, stream);
    for (EFileOperation operation : {opGetSize, opSeek, opRead}) {
        CFaultyFileSystem faulty;
        faulty.Fail(operation);
        CDataFile failing(faulty);
        EXPECT_FALSE(failing.Read(stream, m_folder.Path("Other.wkp").c_str())) << operation;
        EXPECT_EQ(GetLastError(), FaultError(operation));
        EXPECT_FALSE(failing.IsOpen());
    }
    m_faulty.Fail(opRead);
    EXPECT_FALSE(file.Read(stream, m_folder.Path("Other.wkp").c_str()));
    EXPECT_EQ(file.GetPath(), m_folder.Path("Plan.wkp"));
    EXPECT_EQ(stream.GetData(), "plan");
}

} // namespace
