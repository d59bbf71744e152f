// Times the XML module on a document of the size of a large project: 2,000 activities
// holding 198,000 tally marks (200,000 elements). Builds the tree, writes it with layout,
// parses the text back, walks it and releases it; then parses each file named on the
// command line ("--save" first writes the generated text to bench_xml_generated.xml, for
// comparisons with other parsers). Run under wine64 from build/x86_64/bench/.
#include "xmlParser/CXMLNode.h"

#include <windows.h>

#include <psapi.h>

#include "CBenchTimer.h"

#include <cstdio>
#include <string>

namespace {

const int kActivities = 2000;
const int kMarksPerActivity = 99;

using bench::Seconds;

// Memory the process has committed (PagefileUsage: Wine reports no PrivateUsage).
double CommittedMegabytes() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return static_cast<double>(counters.PagefileUsage) / (1024.0 * 1024.0);
}

CXMLNode BuildProject() {
    CXMLNode top = CXMLNode::CreateTopNode("xml version='1.0' encoding='utf-8'", true);
    CXMLNode project = top.AddChild("TallymarksProject");
    project.AddAttribute("version", "0.0.0.1");
    project.AddChild("Name").AddText("Benchmark project");
    CXMLNode parent = project;
    char text[64];
    for (int a = 0; a < kActivities; ++a) {
        // Every tenth activity starts a new top-level one; the others nest one level.
        CXMLNode activity = (a % 10 == 0 ? project : parent).AddChild("Activity");
        if (a % 10 == 0) {
            parent = activity;
        }
        activity.AddAttribute("enabled", "true");
        std::snprintf(text, sizeof(text), "Activity %d & more", a);
        activity.AddAttribute("name", text);
        for (int m = 0; m < kMarksPerActivity; ++m) {
            CXMLNode mark = activity.AddChild("Tallymark");
            std::snprintf(text, sizeof(text), "2010-%02d-%02d %02d:%02d:00", 1 + m % 12, 1 + a % 28,
                          m % 24, a % 60);
            mark.AddAttribute("start", text);
            mark.AddAttribute("end", text);
        }
    }
    return top;
}

int CountElements(const CXMLNode& top) {
    int count = 0;
    CXMLNode stack[64];
    int next[64] = {};
    int depth = 0;
    stack[0] = top;
    while (depth >= 0) {
        CXMLNode child = stack[depth].GetChild(next[depth]++);
        if (child.IsEmpty()) {
            --depth;
            continue;
        }
        ++count;
        stack[++depth] = child;
        next[depth] = 0;
    }
    return count + 1;
}

void ParseFile(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        std::printf("%s: cannot open\n", path);
        return;
    }
    std::string text;
    char chunk[65536];
    for (size_t n; (n = std::fread(chunk, 1, sizeof(chunk), file)) > 0;) {
        text.append(chunk, n);
    }
    std::fclose(file);
    double start = Seconds();
    SXMLResults results;
    CXMLNode document = CXMLNode::ParseString(text.c_str(), nullptr, &results);
    double parsed = Seconds();
    document = CXMLNode();
    double released = Seconds();
    std::printf("%s: %.2f MB parsed in %.3f s (%.1f MB/s, code %d), released in %.3f s\n", path,
                text.size() / 1e6, parsed - start, text.size() / 1e6 / (parsed - start),
                results.error, released - parsed);
}

} // namespace

int main(int argc, char** argv) {
    double base = CommittedMegabytes();
    double t0 = Seconds();
    CXMLNode project = BuildProject();
    double t1 = Seconds();
    double built = CommittedMegabytes();
    size_t length = 0;
    char* text = project.CreateText(true, &length);
    double t2 = Seconds();
    project = CXMLNode();
    double t3 = Seconds();
    SXMLResults results;
    CXMLNode parsed = CXMLNode::ParseString(text, "TallymarksProject", &results);
    double t4 = Seconds();
    double afterParse = CommittedMegabytes();
    int elements = CountElements(parsed);
    double t5 = Seconds();
    parsed = CXMLNode();
    double t6 = Seconds();

    std::printf("tree: %d elements, text %.2f MB\n", elements, length / 1e6);
    std::printf("build      %.3f s  (%.0f bytes per element)\n", t1 - t0,
                (built - base) * 1024 * 1024 / elements);
    std::printf("write      %.3f s  (%.1f MB/s)\n", t2 - t1, length / 1e6 / (t2 - t1));
    std::printf("release    %.3f s  (built tree)\n", t3 - t2);
    std::printf("parse      %.3f s  (%.1f MB/s, code %d, %.0f bytes per element with the text)\n",
                t4 - t3, length / 1e6 / (t4 - t3), results.error,
                (afterParse - base) * 1024 * 1024 / elements);
    std::printf("walk       %.3f s\n", t5 - t4);
    std::printf("release    %.3f s  (parsed tree)\n", t6 - t5);
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--save") {
            std::FILE* file = std::fopen("bench_xml_generated.xml", "wb");
            if (file) {
                std::fwrite(text, 1, length, file);
                std::fclose(file);
            }
            continue;
        }
        ParseFile(argv[i]);
    }
    FreeXMLText(text);
    return results.error == xeNone && elements == 2 + kActivities * (kMarksPerActivity + 1) ? 0 : 1;
}
