#pragma once

#include <cstddef>

// The storage of tally marks: slots of one size in chunks of a few hundred, so that the
// hundreds of thousands of tally marks that a project load or a clone creates, and a close
// deletes, cost no heap call each and lie side by side in memory, in the order they were
// made. A chunk whose last tally mark goes is returned to the heap (one empty chunk is
// kept for the next tally marks).
//
// Usage notes:
// - CTallymark's operator new and delete use it; nothing else should.
// - User-interface thread only, as the model is: no locks.
class CTallymarkPool {
public:
    // The size of a slot, a tally mark's size rounded up to a pointer's: a larger request is
    // not for the pool.
    static const std::size_t kSlotSize;
    static constexpr std::size_t kSlotsPerChunk = 512;

    // A slot of kSlotSize bytes. Throws std::bad_alloc.
    static void* Allocate();
    // Returns a slot that Allocate gave.
    static void Free(void* slot) noexcept;

    // The chunks held now (for tests).
    static std::size_t GetNumChunks();
};
