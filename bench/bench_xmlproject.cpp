// Times the XML project file on the benchmark project (bench/BenchProject.h: 2,000
// activities up to 6 deep) at 200,000 and 400,000 tally marks, and on one activity that
// holds 100,000 tally marks. Every figure is the median of the runs, printed beside its
// target, with the split of the time:
//   save:  "text" renders the state into memory (CXMLTranslator::Save); "file" is the rest
//          of the whole save (CProject::Save over an existing file: backup copy, rewrite,
//          flush, backup removal).
//   open:  "read" the file's bytes, "parse" them into the element tree (Identify), "build"
//          the model from the tree (Load: reading the elements and dates, and the model's
//          own inserts), "release" the tree; "translate" times the walk over the tree with
//          its attribute and date reads alone, without a model, so that build minus
//          translate is the model's share. "whole" is CProjects::OpenPath, "close" the
//          closing of the opened project.
//   memory: an open in a new process of this program: the working set that the project
//          holds per tally mark, and the peak while it opened against the one after.
// For comparison each case also renders the project through an element tree, as the
// translator did before it wrote as it goes: the tree's build, write and release times,
// and whether its bytes equal the saved text (they must). The order of an activity's
// tally marks follows their addresses, so only texts of one process compare.
//
// Run under wine64 from build/x86_64/bench/ with the machine otherwise idle:
//   bench_xmlproject.exe [runs]   (default 5)
#include "library/datetime/CDateTime.h"
#include "library/files/CDataFile.h"
#include "library/files/CDataStream.h"
#include "model/CActivity.h"
#include "model/CProject.h"
#include "model/CProjectState.h"
#include "model/CProjects.h"
#include "model/CTallymark.h"
#include "model/CUtf8TextConverter.h"
#include "model/CXMLTranslator.h"
#include "model/CFileVersion.h"
#include "model/EProjectFileFormat.h"
#include "model/ProjectFileValues.h"
#include "xmlParser/CXMLNode.h"
#include "xmlParser/SXMLOptions.h"

#include <windows.h>

#include <psapi.h>

#include "BenchProject.h"
#include "CBenchTimer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using bench::Seconds;

struct SCase {
    const char* title;
    int tallymarks;
    bool oneActivity;
};

const SCase kCases[] = {
    {"benchmark tree, 200,000 tally marks", 200000, false},
    {"benchmark tree, 400,000 tally marks", 400000, false},
    {"one activity, 100,000 tally marks", 100000, true},
};

void BuildOneActivity(CProjectState& state, int tallymarks) {
    CActivity* activity = new CActivity(&state, "Everything", true);
    state.GetRootActivity()->AddChildActivity(activity, -1);
    CDateTime first;
    first.SetDateTime(2004, 6, 14, 8, 0, 0);
    const double minute = 1.0 / 1440.0;
    for (int i = 0; i < tallymarks; ++i) {
        const double start = first.GetValue() + i * 0.07;
        activity->GetTallymarks().Add(
            new CTallymark(activity, CDateTime(start), CDateTime(start + 95 * minute)));
    }
}

std::unique_ptr<CProjectState> BuildCase(const SCase& c) {
    auto state = std::make_unique<CProjectState>();
    state->Reset(true);
    state->SetName("Benchmark project");
    if (c.oneActivity) {
        BuildOneActivity(*state, c.tallymarks);
    } else {
        bench::CRandom random;
        CDateTime now;
        now.SetDateTime(2024, 6, 14, 10, 0, 0);
        bench::BuildProject(*state, random, now, c.tallymarks);
    }
    state->EnableTracking();
    return state;
}

void AddTallymarkNodes(CXMLNode& element, CActivity* activity) {
    CTallymarks& tallymarks = activity->GetTallymarks();
    for (CTallymark* tallymark = tallymarks.GetFirst(); tallymark != nullptr;
         tallymark = tallymarks.GetNext()) {
        CXMLNode mark = element.AddChild("Tallymark");
        mark.AddAttribute("start", FormatFileDateTime(tallymark->GetStart()).c_str());
        if (tallymark->IsOpen()) {
            mark.AddAttribute("open", "true");
        } else {
            mark.AddAttribute("end", FormatFileDateTime(tallymark->GetEnd(false)).c_str());
        }
    }
}

void AddActivityNodes(CXMLNode& parent, CActivity* activity, const CUtf8TextConverter& names) {
    CXMLNode element = parent.AddChild("Activity");
    element.AddAttribute("enabled", activity->IsEnabled() ? "true" : "false");
    element.AddAttribute("name", names.ToUtf8(activity->GetName()).c_str());
    AddTallymarkNodes(element, activity);
    for (CActivity* child = activity->GetFirstChild(); child != nullptr;
         child = child->GetNextSibling()) {
        AddActivityNodes(element, child, names);
    }
}

// The project file's text through an element tree, with the time of each step.
std::string RenderThroughTree(CProjectState& state, double& build, double& write, double& release) {
    const SXMLOptions saved = SXMLOptions::Current();
    CXMLNode::SetParserOptions(xenUTF8, saved.guessWideCharacters, true, true);
    const CUtf8TextConverter names;
    double start = Seconds();
    CXMLNode top = CXMLNode::CreateTopNode("xml version='1.0' encoding='utf-8'", true);
    CXMLNode root = top.AddChild("TallymarksProject");
    root.AddAttribute("version", CFileVersion::GetFormatVersion().GetText().c_str());
    root.AddChild("Name").AddText(names.ToUtf8(state.GetName()).c_str());
    AddTallymarkNodes(root, state.GetRootActivity());
    for (CActivity* child = state.GetRootActivity()->GetFirstChild(); child != nullptr;
         child = child->GetNextSibling()) {
        AddActivityNodes(root, child, names);
    }
    build = Seconds() - start;
    start = Seconds();
    char* text = top.CreateText(true);
    std::string bytes = std::string("\xEF\xBB\xBF") + (text != nullptr ? text : "");
    FreeXMLText(text);
    write = Seconds() - start;
    start = Seconds();
    root = CXMLNode();
    top = CXMLNode();
    release = Seconds() - start;
    SXMLOptions::Current() = saved;
    return bytes;
}

// The attribute and date reads of a load, without a model.
int Translate(const CXMLNode& element) {
    int read = 0;
    const int count = element.GetChildCount();
    for (int i = 0; i < count; ++i) {
        const CXMLNode child = element.GetChild(i);
        const char* name = child.GetName();
        if (name != nullptr && std::strcmp(name, "Tallymark") == 0) {
            CDateTime start, end;
            read += ParseFileDateTime(child.GetAttribute("start"), start) ? 1 : 0;
            read += ParseFileDateTime(child.GetAttribute("end"), end) ? 1 : 0;
        } else if (name != nullptr && std::strcmp(name, "Activity") == 0) {
            read += child.GetAttribute("name") != nullptr ? 1 : 0;
            read += Translate(child);
        }
    }
    return read;
}

class CFigures {
public:
    void Add(const char* name, double seconds) {
        for (auto& entry : m_entries) {
            if (entry.first == name) {
                entry.second.push_back(seconds);
                return;
            }
        }
        m_entries.emplace_back(name, std::vector<double>(1, seconds));
    }
    double Median(const char* name) const {
        for (const auto& entry : m_entries) {
            if (entry.first == name) {
                std::vector<double> values = entry.second;
                std::sort(values.begin(), values.end());
                return values[values.size() / 2];
            }
        }
        return 0.0;
    }

private:
    std::vector<std::pair<std::string, std::vector<double>>> m_entries;
};

void PrintFigure(const char* label, double seconds, double target) {
    if (target > 0) {
        std::printf("  %-34s %7.3f s   target < %.2f s%s\n", label, seconds, target,
                    seconds < target ? "" : "   NOT MET");
    } else {
        std::printf("  %-34s %7.3f s\n", label, seconds);
    }
}

// One save and one open of every kind; false when something failed.
bool RunOnce(CProjectState& source, const std::string& path, CFigures& figures) {
    CDataStream text;
    double start = Seconds();
    CXMLTranslator(source, text).Save();
    figures.Add("text", Seconds() - start);

    // The timed save replaces an existing file, as a save of an open project does.
    bool ok = true;
    {
        CProject saver;
        ok = saver.Save(false, &source, path.c_str(), pffXML);
        start = Seconds();
        ok = saver.Save(false, &source, path.c_str(), pffXML) && ok;
        figures.Add("save", Seconds() - start);
    }

    CDataStream stream;
    {
        CDataFile file;
        start = Seconds();
        ok = file.Read(stream, path.c_str()) && ok;
        figures.Add("read", Seconds() - start);
    }
    auto target = std::make_unique<CProjectState>();
    {
        CXMLTranslator reader(*target, stream);
        start = Seconds();
        ok = reader.Identify() == trOK && ok;
        figures.Add("parse", Seconds() - start);
        start = Seconds();
        target->Reset(true);
        ok = reader.Load() == trOK && ok;
        target->EnableTracking();
        figures.Add("build", Seconds() - start);
        start = Seconds();
    }
    figures.Add("release", Seconds() - start);
    target.reset();

    const CXMLNode document = CXMLNode::ParseString(stream.GetData().c_str() + 3);
    start = Seconds();
    ok = Translate(document.FindChild("TallymarksProject")) > 0 && ok;
    figures.Add("translate", Seconds() - start);

    CProjects projects;
    start = Seconds();
    CProject* opened = projects.OpenPath(path, CProjects::kOpenAndSwitch, true);
    figures.Add("whole open", Seconds() - start);
    ok = opened != nullptr && ok;
    start = Seconds();
    projects.CloseAll();
    figures.Add("close", Seconds() - start);
    return ok;
}

void DeleteSaves(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "bench_xmlproject*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        DeleteFileA((folder + found.cFileName).c_str());
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

double Megabytes(SIZE_T bytes) {
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

// Run in a process of its own ("--memory project report"): opens the project and writes
// the working set before, after and at its peak to the report file.
int MeasureOpen(const char* projectPath, const char* reportPath) {
    PROCESS_MEMORY_COUNTERS before = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof(before));
    CProjects projects;
    CProject* opened = projects.OpenPath(projectPath, CProjects::kOpenAndSwitch, true);
    PROCESS_MEMORY_COUNTERS after = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof(after));
    FILE* report = std::fopen(reportPath, "w");
    if (report == nullptr || opened == nullptr) {
        return 1;
    }
    std::fprintf(report, "%.1f %.1f %.1f\n", Megabytes(before.WorkingSetSize),
                 Megabytes(after.WorkingSetSize), Megabytes(after.PeakWorkingSetSize));
    std::fclose(report);
    return 0;
}

// The memory of an open in a new process of this program: what the opened project holds
// and the peak while it opened.
void PrintOpenMemory(CProjectState& source, const std::string& path, int tallymarks) {
    {
        CProject saver;
        if (!saver.Save(false, &source, path.c_str(), pffXML)) {
            return;
        }
    }
    const std::string report = path + ".memory";
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string command =
        "\"" + std::string(program) + "\" --memory \"" + path + "\" \"" + report + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    double before = 0, after = 0, peak = 0;
    FILE* file = std::fopen(report.c_str(), "r");
    const bool read =
        file != nullptr && std::fscanf(file, "%lf %lf %lf", &before, &after, &peak) == 3;
    if (file != nullptr) {
        std::fclose(file);
    }
    DeleteFileA(report.c_str());
    if (read) {
        std::printf(" memory of an open in a new process: working set %.1f MB before, %.1f MB "
                    "after, peak %.1f MB\n",
                    before, after, peak);
        std::printf("  working set per tally mark %.0f bytes (heap the open freed included); peak "
                    "/ after %.2f (target at most 1.5)\n",
                    (after - before) * 1024.0 * 1024.0 / tallymarks, peak / after);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--memory") == 0) {
        return MeasureOpen(argv[2], argv[3]);
    }
    const int runs = argc > 1 && std::atoi(argv[1]) > 0 ? std::atoi(argv[1]) : 5;
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "bench_xmlproject.xml";
    bool ok = true;
    double open200 = 0, save200 = 0;
    for (const SCase& c : kCases) {
        std::unique_ptr<CProjectState> source = BuildCase(c);
        CDataStream text;
        CXMLTranslator(*source, text).Save();
        double build = 0, write = 0, release = 0;
        const bool same = RenderThroughTree(*source, build, write, release) == text.GetData();
        ok = ok && same;
        std::printf("%s: %.1f MB\n", c.title,
                    static_cast<double>(text.GetData().size()) / (1024.0 * 1024.0));
        std::printf(" through a tree: build %.3f s, write %.3f s, release %.3f s; same bytes as "
                    "the save: %s\n",
                    build, write, release, same ? "yes" : "NO");
        CFigures figures;
        for (int run = 0; run < runs; ++run) {
            ok = RunOnce(*source, path, figures) && ok;
            DeleteSaves(folder);
        }
        const double save = figures.Median("save");
        const double open = figures.Median("whole open");
        // At 400,000 the targets are growths: at most 2.2 times the figure at 200,000.
        const bool grown = !c.oneActivity && save200 > 0;
        std::printf(" save (median of %d):\n", runs);
        PrintFigure("whole save with backup", save,
                    grown ? 2.2 * save200 : (c.oneActivity ? 1.0 : 0.5));
        PrintFigure("text (translator)", figures.Median("text"), 0);
        PrintFigure("file (save - text)", save - figures.Median("text"), 0);
        std::printf(" open (median of %d):\n", runs);
        PrintFigure("whole open (CProjects::OpenPath)", open, grown ? 2.2 * open200 : 1.0);
        PrintFigure("read", figures.Median("read"), 0);
        PrintFigure("parse", figures.Median("parse"), 0);
        PrintFigure("build (translate + model)", figures.Median("build"), 0);
        PrintFigure("translate alone", figures.Median("translate"), 0);
        PrintFigure("release of the tree", figures.Median("release"), 0);
        PrintFigure("close of the opened project", figures.Median("close"), 0);
        PrintOpenMemory(*source, path, c.tallymarks);
        DeleteSaves(folder);
        if (!c.oneActivity && c.tallymarks == 200000) {
            save200 = save;
            open200 = open;
        } else if (!c.oneActivity && save200 > 0) {
            std::printf(" growth from 200,000: save x%.2f, open x%.2f (target at most x2.2)\n",
                        save / save200, open / open200);
        }
    }
    DeleteSaves(folder);
    if (!ok) {
        std::printf("A SAVE OR OPEN FAILED, OR THE TEXTS DIFFER\n");
    }
    return ok ? 0 : 1;
}
