#pragma once

#include <cstddef>

#include "library/events/CPeerSet.h"

// The link structure beneath signals and slots: every connector knows the connectors it is
// linked with (its peers), in ascending address order.
//
// Usage notes:
// - Program code does not use this class directly: CSignal<E> and CSlot<E> derive from it
//   privately and offer typed operations, so that only a signal and a slot of one event class
//   can be linked.
// - Links are symmetric: when X holds Y, Y holds X. A pair should be linked at most once;
//   Connect() does not check this, a second Connect() adds a second entry on both sides.
// - A destroyed connector leaves no entry behind in any peer.
// - Copying gives an unlinked connector and assigning keeps the target's own links: links
//   belong to an object's identity, not to its value.
// - Walk the peers with GetFirstPeer() and GetPeerAbove(); see CPeerSet for why the walk
//   survives peers that come and go during it.
// - Single-threaded: no locks.
class CConnector {
public:
    CConnector() noexcept = default;
    CConnector(const CConnector&) noexcept {}
    CConnector& operator=(const CConnector&) noexcept { return *this; }
    virtual ~CConnector();

    // Links this connector and other: one entry for other here and one for this there.
    // Returns false and changes nothing for a null other or other == this; throws
    // std::bad_alloc (leaving the pair unlinked) when memory runs out.
    bool Connect(CConnector* other);
    // Removes every entry of the pair on both sides. Returns true when exactly one entry went
    // on each side, false when the pair was not linked (nothing changes; other is then not
    // touched, so it may be null) or was linked more than once (all entries still go).
    bool Disconnect(CConnector* other) noexcept;
    // Unlinks every peer. Returns true when each pair held exactly one entry on each side.
    bool DisconnectAll() noexcept;

    // The number of entries, counting a doubly linked peer twice.
    std::size_t GetNumPeers() const noexcept { return m_peers.GetSize(); }
    // The peer with the lowest address; null without peers.
    CConnector* GetFirstPeer() const noexcept { return m_peers.GetFirst(); }
    // The lowest peer above peer's address; null when none. peer need not be linked.
    CConnector* GetPeerAbove(const CConnector* peer) const noexcept {
        return m_peers.GetAbove(peer);
    }

private:
    CPeerSet m_peers;
};
