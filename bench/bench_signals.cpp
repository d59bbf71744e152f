// Signals and slots at the scale of a large project: 200,000 signals (one per tally mark)
// linked to one slot, and one signal linked to 200,000 slots. Prints the time of each phase
// and the memory the links take.
#include <windows.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include "library/events/CEventTypeNoResult.h"
#include "library/events/CSignal.h"
#include "library/events/CSlot.h"

// Every allocation of the program is counted, so the memory that links take shows exactly.
namespace {
std::size_t g_liveBytes = 0;
std::size_t g_liveBlocks = 0;
} // namespace

void* operator new(std::size_t size) {
    void* block = std::malloc(size + sizeof(std::max_align_t));
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    *static_cast<std::size_t*>(block) = size;
    g_liveBytes += size;
    ++g_liveBlocks;
    return static_cast<char*>(block) + sizeof(std::max_align_t);
}

void operator delete(void* p) noexcept {
    if (p == nullptr) {
        return;
    }
    void* block = static_cast<char*>(p) - sizeof(std::max_align_t);
    g_liveBytes -= *static_cast<std::size_t*>(block);
    --g_liveBlocks;
    std::free(block);
}

void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void operator delete[](void* p) noexcept {
    operator delete(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    operator delete(p);
}

namespace {

constexpr std::size_t kCount = 200000;

class CBenchEvent : public CEventTypeNoResult {
public:
    explicit CBenchEvent(int value) : m_value(value) {}
    int m_value;
};

class CBenchSlot : public CSlot<CBenchEvent> {
public:
    long long m_sum = 0;

protected:
    bool OnEvent(CBenchEvent& event) override {
        m_sum += event.m_value;
        return false;
    }
};

class CTimer {
public:
    CTimer() {
        QueryPerformanceFrequency(&m_frequency);
        QueryPerformanceCounter(&m_start);
    }
    // Milliseconds since the last call (or construction).
    double Lap() {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        const double ms = 1000.0 * static_cast<double>(now.QuadPart - m_start.QuadPart) /
                          static_cast<double>(m_frequency.QuadPart);
        m_start = now;
        return ms;
    }

private:
    LARGE_INTEGER m_frequency;
    LARGE_INTEGER m_start;
};

void Report(const char* phase, double ms, std::size_t operations) {
    std::printf("  %-34s %9.1f ms  %8.1f ns/op\n", phase, ms, 1e6 * ms / operations);
}

void ManySignalsOneSlot(bool scattered) {
    std::printf("%u signals linked to one slot, destroyed in %s order\n",
                static_cast<unsigned>(kCount), scattered ? "scattered" : "creation");
    CBenchSlot slot;
    CTimer timer;
    std::vector<std::unique_ptr<CSignal<CBenchEvent>>> signals;
    signals.reserve(kCount);
    for (std::size_t i = 0; i < kCount; ++i) {
        signals.push_back(std::make_unique<CSignal<CBenchEvent>>());
    }
    const std::size_t bytesBefore = g_liveBytes;
    const std::size_t blocksBefore = g_liveBlocks;
    Report("create signals", timer.Lap(), kCount);
    for (auto& signal : signals) {
        slot.Connect(signal.get());
    }
    Report("connect", timer.Lap(), kCount);
    const std::size_t linkBytes = g_liveBytes - bytesBefore;
    const std::size_t linkBlocks = g_liveBlocks - blocksBefore;
    for (std::size_t i = 0; i < kCount; ++i) {
        CBenchEvent event(static_cast<int>(i % 7));
        signals[i]->Emit(event);
    }
    Report("emit each signal once", timer.Lap(), kCount);
    for (std::size_t i = 0; i < kCount; i += 2) {
        slot.Disconnect(signals[i].get());
    }
    Report("disconnect every other signal", timer.Lap(), kCount / 2);
    for (std::size_t i = 0; i < kCount; i += 2) {
        slot.Connect(signals[i].get());
    }
    Report("connect them again", timer.Lap(), kCount / 2);
    for (std::size_t i = 0; i < kCount; ++i) {
        signals[scattered ? i * 7919 % kCount : i].reset();
    }
    Report("destroy signals", timer.Lap(), kCount);
    std::printf("  links allocated %.1f MB in %u blocks (%.1f bytes per link, inside the "
                "signals not counted); slot left with %u peers, checksum %lld\n",
                static_cast<double>(linkBytes) / (1024.0 * 1024.0),
                static_cast<unsigned>(linkBlocks), static_cast<double>(linkBytes) / kCount,
                static_cast<unsigned>(slot.GetNumPeers()), slot.m_sum);
}

void OneSignalManySlots() {
    std::printf("one signal linked to %u slots\n", static_cast<unsigned>(kCount));
    std::vector<CBenchSlot> slots(kCount);
    auto signal = std::make_unique<CSignal<CBenchEvent>>();
    CTimer timer;
    for (std::size_t i = 0; i < kCount; ++i) {
        slots[i * 7919 % kCount].Connect(signal.get());
    }
    Report("connect (scattered order)", timer.Lap(), kCount);
    constexpr int rounds = 10;
    for (int round = 0; round < rounds; ++round) {
        CBenchEvent event(round);
        signal->Emit(event);
    }
    Report("emit (per slot called)", timer.Lap(), kCount * rounds);
    signal.reset();
    Report("destroy the signal", timer.Lap(), kCount);
    long long sum = 0;
    std::size_t left = 0;
    for (const CBenchSlot& slot : slots) {
        sum += slot.m_sum;
        left += slot.GetNumPeers();
    }
    std::printf("  slots left with %u links, checksum %lld; %u blocks still allocated\n",
                static_cast<unsigned>(left), sum, static_cast<unsigned>(g_liveBlocks));
}

} // namespace

int main() {
    std::printf("sizeof(CConnector) = %u bytes, sizeof(CPeerSet) = %u bytes\n",
                static_cast<unsigned>(sizeof(CConnector)), static_cast<unsigned>(sizeof(CPeerSet)));
    ManySignalsOneSlot(false);
    ManySignalsOneSlot(true);
    OneSignalManySlots();
    return 0;
}
