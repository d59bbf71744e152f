// The binary project file at the scale of years of use: 2,000 activities up to 6 levels
// deep holding 200,000 tally marks. Prints the time to save, to load (into a fresh state,
// with the date index and every listener) and to discard the loaded project, and the heap
// memory the loaded project holds per tally mark.
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include "BenchProject.h"
#include "CBenchTimer.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include "library/files/CDataStream.h"
#include "model/CActivity.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"
#include "model/CWKPTranslator.h"

// Every allocation of the program passes through here, so that the live heap bytes of a
// loaded project can be read off exactly (the heap's own overhead per block not included).
namespace {

using bench::Median;

struct SHeapUse {
    std::size_t bytes = 0;
    std::size_t blocks = 0;
};
SHeapUse g_heap;

// Each block carries its size in front, at the alignment new must keep.
constexpr std::size_t kHeader = alignof(std::max_align_t);

} // namespace

void* operator new(std::size_t size) {
    char* block = static_cast<char*>(std::malloc(size + kHeader));
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    *reinterpret_cast<std::size_t*>(block) = size;
    g_heap.bytes += size;
    g_heap.blocks += 1;
    return block + kHeader;
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void operator delete(void* p) noexcept {
    if (p != nullptr) {
        char* block = static_cast<char*>(p) - kHeader;
        g_heap.bytes -= *reinterpret_cast<std::size_t*>(block);
        g_heap.blocks -= 1;
        std::free(block);
    }
}
void operator delete[](void* p) noexcept {
    operator delete(p);
}
void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    operator delete(p);
}

namespace {

constexpr int kActivities = 2000;
constexpr int kTallymarks = 200000;
constexpr int kMaxDepth = 6;
constexpr int kRounds = 5;

using bench::Seconds;

// A fixed pseudo-random sequence, so that every run measures the same project.
unsigned Next(unsigned& seed) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) & 0xFFFFFF;
}

// The activities hang below random earlier ones not yet at the deepest level; the tally
// marks follow one another in time, an hour or less each, spread over the activities,
// and the last one is still running.
void BuildProject(CProjectState& state) {
    state.SetName("Benchmark");
    unsigned seed = 7;
    std::vector<CActivity*> activities;
    for (int i = 0; i < kActivities; ++i) {
        CActivity* parent = state.GetRootActivity();
        if (!activities.empty() && Next(seed) % 4 != 0) {
            CActivity* candidate = activities[Next(seed) % activities.size()];
            if (candidate->GetDepth() < kMaxDepth) {
                parent = candidate;
            }
        }
        CActivity* activity = new CActivity(&state, "Activity " + std::to_string(i), i % 9 != 0);
        parent->AddChildActivity(activity, -1);
        activities.push_back(activity);
    }
    CDateTime time(36526.0); // 1 January 2000
    for (int i = 0; i < kTallymarks; ++i) {
        CActivity* activity = activities[Next(seed) % activities.size()];
        const CDateTime start = time + CDateTimeSpan((Next(seed) % 60) / 1440.0);
        time = start + CDateTimeSpan((1 + Next(seed) % 60) / 1440.0);
        const CDateTime end = i + 1 == kTallymarks ? CTallymark::GetNullDate() : time;
        activity->GetTallymarks().Add(new CTallymark(activity, start, end));
    }
}

} // namespace

int main() {
    std::printf("%d activities (up to %d deep), %d tally marks; median of %d rounds\n", kActivities,
                kMaxDepth, kTallymarks, kRounds);
    std::string bytes;
    std::vector<double> saveTimes;
    {
        CProjectState original;
        BuildProject(original);
        for (int round = 0; round < kRounds; ++round) {
            CDataStream stream;
            const double start = Seconds();
            CWKPTranslator(original, stream).Save();
            saveTimes.push_back(Seconds() - start);
            bytes = stream.GetData();
        }
    }
    std::printf("  file size                %10.2f MB\n", bytes.size() / (1024.0 * 1024.0));
    std::printf("  save                     %10.1f ms\n", 1000.0 * Median(saveTimes));

    std::vector<double> loadTimes;
    std::vector<double> discardTimes;
    SHeapUse held;
    for (int round = 0; round < kRounds; ++round) {
        CDataStream stream;
        stream.SetData(bytes);
        const SHeapUse before = g_heap;
        const double start = Seconds();
        auto state = std::make_unique<CProjectState>();
        state->Reset(true);
        CWKPTranslator translator(*state, stream);
        const bool ok = translator.Identify() == trOK && translator.Load() == trOK;
        state->EnableTracking();
        loadTimes.push_back(Seconds() - start);
        if (!ok) {
            std::printf("the saved project did not load\n");
            return 1;
        }
        held.bytes = g_heap.bytes - before.bytes;
        held.blocks = g_heap.blocks - before.blocks;
        const double discard = Seconds();
        state.reset();
        discardTimes.push_back(Seconds() - discard);
    }
    std::printf("  load                     %10.1f ms\n", 1000.0 * Median(loadTimes));
    std::printf("  discard loaded project   %10.1f ms\n", 1000.0 * Median(discardTimes));
    std::printf("  held after load          %10.2f MB in %u blocks\n",
                held.bytes / (1024.0 * 1024.0), static_cast<unsigned>(held.blocks));
    std::printf("  per tally mark           %10.1f bytes (every index included)\n",
                static_cast<double>(held.bytes) / kTallymarks);
    return 0;
}
