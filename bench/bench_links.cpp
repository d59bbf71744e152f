// Links at the scale of a large project: 200,000 objects (tally marks), each with four
// signals, each signal linked to two of six listener slots (a collection, the date index, the
// project state, the statistics, ...), so every listener slot holds about 267,000 links.
// Prints the memory the links take per object and the time of connecting, emitting,
// disconnecting and destroying, with objects linked and destroyed in creation order and in
// random order, and with the listeners destroyed first.
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "CBenchSlot.h"
#include "CBenchTimer.h"
#include "CountingAllocator.h"
#include "library/events/CConnector.h"
#include "library/events/CPeerSet.h"
#include "library/events/CSignal.h"
#include "library/events/CSlot.h"

namespace {

constexpr std::size_t kObjects = 200000;
constexpr std::size_t kSignals = 4;
constexpr std::size_t kListeners = 6;
constexpr std::size_t kLinksPerSignal = 2;

using bench::CBenchEvent;
using bench::CBenchSlot;

// A tally mark as far as links go: four signals.
struct SObject {
    CSignal<CBenchEvent> m_signals[kSignals];
};

// The listener that signal s of object i is linked with, for its link k.
std::size_t ListenerOf(std::size_t i, std::size_t s, std::size_t k) {
    return (i + s + k * (kListeners / 2)) % kListeners;
}

std::vector<std::size_t> Order(bool random) {
    std::vector<std::size_t> order(kObjects);
    for (std::size_t i = 0; i < kObjects; ++i) {
        order[i] = i;
    }
    if (random) {
        std::shuffle(order.begin(), order.end(), std::mt19937(20240607u));
    }
    return order;
}

enum class EDestroy { Objects, ListenersFirst };

void Run(bool random, EDestroy destroy) {
    std::printf("\nobjects linked and destroyed in %s order%s\n", random ? "random" : "creation",
                destroy == EDestroy::ListenersFirst ? ", listeners destroyed first" : "");
    const std::vector<std::size_t> order = Order(random);
    std::vector<std::unique_ptr<CBenchSlot>> listeners;
    for (std::size_t l = 0; l < kListeners; ++l) {
        listeners.push_back(std::make_unique<CBenchSlot>());
    }
    std::vector<SObject*> objects(kObjects);
    const std::size_t bytesBeforeObjects = bench::g_liveBytes;
    const std::size_t footprintBeforeObjects = bench::g_liveFootprint;

    bench::CBenchTimer timer;
    for (std::size_t i = 0; i < kObjects; ++i) {
        objects[i] = new SObject;
    }
    const std::size_t bytesBefore = bench::g_liveBytes;
    const std::size_t footprintBefore = bench::g_liveFootprint;
    const std::size_t blocksBefore = bench::g_liveBlocks;
    timer.Report("create objects", kObjects);

    for (std::size_t i : order) {
        for (std::size_t s = 0; s < kSignals; ++s) {
            for (std::size_t k = 0; k < kLinksPerSignal; ++k) {
                listeners[ListenerOf(i, s, k)]->Connect(&objects[i]->m_signals[s]);
            }
        }
    }
    constexpr std::size_t links = kObjects * kSignals * kLinksPerSignal;
    timer.Report("connect (per link)", links);
    const std::size_t linkBytes = bench::g_liveBytes - bytesBefore;
    const std::size_t linkFootprint = bench::g_liveFootprint - footprintBefore;
    const std::size_t linkBlocks = bench::g_liveBlocks - blocksBefore;
    const std::size_t objectBytes = bytesBefore - bytesBeforeObjects;
    const std::size_t objectFootprint = footprintBefore - footprintBeforeObjects;

    for (std::size_t i : order) {
        for (std::size_t s = 0; s < kSignals; ++s) {
            CBenchEvent event(static_cast<int>(s + 1));
            objects[i]->m_signals[s].Emit(event);
        }
    }
    timer.Report("emit every signal once (per slot call)", links);

    for (std::size_t n = 0; n < kObjects; n += 2) {
        listeners[ListenerOf(order[n], 0, 0)]->Disconnect(&objects[order[n]]->m_signals[0]);
    }
    timer.Report("disconnect one link of every other", kObjects / 2);
    for (std::size_t n = 0; n < kObjects; n += 2) {
        listeners[ListenerOf(order[n], 0, 0)]->Connect(&objects[order[n]]->m_signals[0]);
    }
    timer.Report("connect it again", kObjects / 2);

    long long sum = 0;
    for (const auto& listener : listeners) {
        sum += listener->m_sum;
    }
    if (destroy == EDestroy::ListenersFirst) {
        listeners.clear();
        timer.Report("destroy the listeners (per link)", links);
    }
    for (std::size_t i : order) {
        delete objects[i];
    }
    timer.Report("destroy objects", kObjects);

    std::size_t left = 0;
    for (const auto& listener : listeners) {
        left += listener->GetNumPeers();
    }
    std::printf("  per object: %u bytes object (%u in the heap), links %.1f bytes (%.1f in the "
                "heap) in %.2f blocks; %.1f bytes per listener-side link\n",
                static_cast<unsigned>(objectBytes / kObjects),
                static_cast<unsigned>(objectFootprint / kObjects),
                static_cast<double>(linkBytes) / kObjects,
                static_cast<double>(linkFootprint) / kObjects,
                static_cast<double>(linkBlocks) / kObjects,
                static_cast<double>(linkBytes) / static_cast<double>(links));
    std::printf("  total per object: %.1f bytes requested, %.1f in the heap; checksum %lld, "
                "%u links left\n",
                static_cast<double>(objectBytes + linkBytes) / kObjects,
                static_cast<double>(objectFootprint + linkFootprint) / kObjects, sum,
                static_cast<unsigned>(left));
}

} // namespace

int main() {
    std::printf("sizeof(CConnector) = %u, sizeof(CPeerSet) = %u, object with %u signals = %u "
                "bytes; heap footprint counts 16-byte rounding and a 16-byte block header\n",
                static_cast<unsigned>(sizeof(CConnector)), static_cast<unsigned>(sizeof(CPeerSet)),
                static_cast<unsigned>(kSignals), static_cast<unsigned>(sizeof(SObject)));
    const std::size_t blocksAtStart = bench::g_liveBlocks;
    for (EDestroy destroy : {EDestroy::Objects, EDestroy::ListenersFirst}) {
        Run(false, destroy);
        Run(true, destroy);
    }
    std::printf("\n%d blocks leaked\n", static_cast<int>(bench::g_liveBlocks - blocksAtStart));
    return bench::g_liveBlocks == blocksAtStart ? 0 : 1;
}
