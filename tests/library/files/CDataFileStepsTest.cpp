// A save is made to fail, or the process is stopped and the power cut, at every one
// of its steps in turn (and, after a failure, at every step of the recovery); what is
// then on disk must still hold the old or the new content in the target, or the whole
// old content in a backup, and no file named as a backup may hold less.

#include "library/files/CDataFile.h"
#include "library/files/CDataStream.h"

#include "FaultyFileSystem.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

namespace {

const std::string kOld = "old project content";
const std::string kNew = "the new and longer project content";
const std::string kBackup = "Plan backup 2010-05-03 14-02-09.wkp";
const std::string kWorking = kBackup + ".tmp";

struct SScenario {
    const char* name;
    bool held; // Plan.wkp is the held file; else Held.wkp is, and the save goes to Plan.wkp
    std::vector<SFileCall> steps;
};

// clang-format off
const SScenario kScenarios[] = {
    {"held file saved over", true, {
        {opExists, kBackup}, {opGetSize, "Plan.wkp"}, {opSeek, "Plan.wkp"}, {opRead, "Plan.wkp"},
        {opOpenCreate, kWorking}, {opSeek, kWorking}, {opTruncate, kWorking}, {opWrite, kWorking},
        {opFlush, kWorking}, {opMove, kWorking},
        {opSeek, "Plan.wkp"}, {opTruncate, "Plan.wkp"}, {opWrite, "Plan.wkp"}, {opFlush, "Plan.wkp"},
        {opDelete, kBackup}}},
    {"other existing file saved over", false, {
        {opExists, "Plan.wkp"}, {opExists, kBackup}, {opOpenRead, "Plan.wkp"}, {opGetSize, "Plan.wkp"},
        {opSeek, "Plan.wkp"}, {opRead, "Plan.wkp"},
        {opOpenCreate, kWorking}, {opSeek, kWorking}, {opTruncate, kWorking}, {opWrite, kWorking},
        {opFlush, kWorking}, {opMove, kWorking},
        {opOpenWrite, "Plan.wkp"}, {opSeek, "Plan.wkp"}, {opTruncate, "Plan.wkp"}, {opWrite, "Plan.wkp"},
        {opFlush, "Plan.wkp"}, {opDelete, kBackup}}},
};
// clang-format on

const size_t kNone = SIZE_MAX;

struct SOutcome {
    bool stopped = false;
    SDataFileSaveResult result;
    std::vector<SFileCall> calls;
};

// One save in a fresh folder: the call failAt fails, the process stops at stopAt
// (then the power is cut). The folder is left for inspection.
SOutcome Save(const SScenario& scenario, CScratchFolder& folder, size_t failAt, size_t stopAt) {
    folder.WriteFile("Plan.wkp", kOld);
    folder.WriteFile("Held.wkp", "held");
    CFaultyFileSystem faulty;
    SOutcome outcome;
    {
        CDataFile file(faulty);
        CDataStream stream;
        EXPECT_TRUE(
            file.Read(stream, folder.Path(scenario.held ? "Plan.wkp" : "Held.wkp").c_str()));
        const size_t start = faulty.Log().size();
        if (failAt != kNone) {
            faulty.FailCall(failAt);
        }
        if (stopAt != kNone) {
            faulty.StopAtCall(stopAt);
        }
        stream.SetData(kNew);
        const std::string target = folder.Path("Plan.wkp");
        try {
            outcome.result = file.Write(stream, scenario.held ? nullptr : target.c_str());
        } catch (const SProcessStopped&) {
            outcome.stopped = true;
        }
        outcome.calls.assign(faulty.Log().begin() + start, faulty.Log().end());
    }
    if (outcome.stopped) {
        faulty.CutPower();
    }
    return outcome;
}

// Saves in a fresh folder and checks what is left on disk; returns the number of calls.
size_t SaveAndCheck(const SScenario& scenario, size_t failAt, size_t stopAt) {
    CScratchFolder folder;
    const SOutcome outcome = Save(scenario, folder, failAt, stopAt);
    bool backupHoldsOld = false;
    for (const std::string& name : folder.List()) {
        if (name.find(" backup ") != std::string::npos &&
            name.compare(name.size() - 4, 4, ".wkp") == 0) {
            EXPECT_EQ(folder.ReadFile(name), kOld) << name << " is not a whole backup";
            backupHoldsOld = true;
        }
        EXPECT_TRUE(outcome.stopped || name != kWorking) << "a failed backup copy is removed";
    }
    CDataFile reader;
    CDataStream loaded;
    const bool targetLoads = reader.Read(loaded, folder.Path("Plan.wkp").c_str()) &&
                             (loaded.GetData() == kOld || loaded.GetData() == kNew);
    EXPECT_TRUE(targetLoads || backupHoldsOld) << "neither the target nor a backup holds a project";
    EXPECT_TRUE(outcome.stopped || !outcome.result.ok || loaded.GetData() == kNew);
    return outcome.calls.size();
}

TEST(CDataFileStepsTest, AtEveryStepTheTargetOrAWholeBackupHoldsTheProject) {
    for (const SScenario& scenario : kScenarios) {
        SCOPED_TRACE(scenario.name);
        CScratchFolder folder;
        const SOutcome clean = Save(scenario, folder, kNone, kNone);
        EXPECT_TRUE(clean.result.ok);
        EXPECT_EQ(clean.calls, scenario.steps) << "the steps of a save changed";
        EXPECT_EQ(folder.List(), (std::vector<std::string>{"Held.wkp", "Plan.wkp"}));
        for (size_t step = 0; step < scenario.steps.size(); ++step) {
            SCOPED_TRACE("at step " + std::to_string(step));
            SaveAndCheck(scenario, kNone, step);
            const size_t calls = SaveAndCheck(scenario, step, kNone);
            for (size_t stop = step + 1; stop < calls; ++stop) { // killed while recovering
                SaveAndCheck(scenario, step, stop);
            }
        }
    }
}

} // namespace
