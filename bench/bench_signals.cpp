// Signals and slots at the scale of a large project: 200,000 signals (one per tally mark)
// linked to one slot, and one signal linked to 200,000 slots. Prints the time of each phase
// and the memory the links take.
#include <cstddef>
#include <cstdio>
#include <memory>
#include <vector>

#include "CBenchSlot.h"
#include "CBenchTimer.h"
#include "CountingAllocator.h"
#include "library/events/CSignal.h"
#include "library/events/CSlot.h"

namespace {

constexpr std::size_t kCount = 200000;

using bench::CBenchEvent;
using bench::CBenchSlot;

void ManySignalsOneSlot(bool scattered) {
    std::printf("%u signals linked to one slot, destroyed in %s order\n",
                static_cast<unsigned>(kCount), scattered ? "scattered" : "creation");
    CBenchSlot slot;
    bench::CBenchTimer timer;
    std::vector<std::unique_ptr<CSignal<CBenchEvent>>> signals;
    signals.reserve(kCount);
    for (std::size_t i = 0; i < kCount; ++i) {
        signals.push_back(std::make_unique<CSignal<CBenchEvent>>());
    }
    const std::size_t bytesBefore = bench::g_liveBytes;
    const std::size_t blocksBefore = bench::g_liveBlocks;
    timer.Report("create signals", kCount);
    for (auto& signal : signals) {
        slot.Connect(signal.get());
    }
    timer.Report("connect", kCount);
    const std::size_t linkBytes = bench::g_liveBytes - bytesBefore;
    const std::size_t linkBlocks = bench::g_liveBlocks - blocksBefore;
    for (std::size_t i = 0; i < kCount; ++i) {
        CBenchEvent event(static_cast<int>(i % 7));
        signals[i]->Emit(event);
    }
    timer.Report("emit each signal once", kCount);
    for (std::size_t i = 0; i < kCount; i += 2) {
        slot.Disconnect(signals[i].get());
    }
    timer.Report("disconnect every other signal", kCount / 2);
    for (std::size_t i = 0; i < kCount; i += 2) {
        slot.Connect(signals[i].get());
    }
    timer.Report("connect them again", kCount / 2);
    for (std::size_t i = 0; i < kCount; ++i) {
        signals[scattered ? i * 7919 % kCount : i].reset();
    }
    timer.Report("destroy signals", kCount);
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
    bench::CBenchTimer timer;
    for (std::size_t i = 0; i < kCount; ++i) {
        slots[i * 7919 % kCount].Connect(signal.get());
    }
    timer.Report("connect (scattered order)", kCount);
    constexpr int rounds = 10;
    for (int round = 0; round < rounds; ++round) {
        CBenchEvent event(round);
        signal->Emit(event);
    }
    timer.Report("emit (per slot called)", kCount * rounds);
    signal.reset();
    timer.Report("destroy the signal", kCount);
    long long sum = 0;
    std::size_t left = 0;
    for (const CBenchSlot& slot : slots) {
        sum += slot.m_sum;
        left += slot.GetNumPeers();
    }
    std::printf("  slots left with %u links, checksum %lld; %u blocks still allocated\n",
                static_cast<unsigned>(left), sum, static_cast<unsigned>(bench::g_liveBlocks));
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
