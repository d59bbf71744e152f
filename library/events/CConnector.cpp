#include "library/events/CConnector.h"

#include <memory>
#include <new>

CConnector::~CConnector() {
    DisconnectAll();
}

bool CConnector::Connect(CConnector* other) {
    if (other == nullptr || other == this) {
        return false;
    }
    m_peers.Insert(other);
    try {
        other->m_peers.Insert(this);
    } catch (...) {
        m_peers.Erase(other);
        other->m_peers.Erase(this);
        throw;
    }
    return true;
}

bool CConnector::Disconnect(CConnector* other) noexcept {
    if (other == nullptr) {
        return false;
    }
    const std::size_t here = m_peers.Erase(other);
    if (here == 0) {
        return false;
    }
    const std::size_t there = other->m_peers.Erase(this);
    return here == 1 && there == 1;
}

bool CConnector::DisconnectAll() noexcept {
    // A long list is copied out in one sweep; a walk looks every next peer up in the tree.
    const std::size_t size = m_peers.GetSize();
    if (size > 2) {
        // Up to a few hundred on the stack: the statistics of every activity of a closing
        // project hold about a hundred each.
        constexpr std::size_t kOnStack = 128;
        CConnector* onStack[kOnStack];
        std::unique_ptr<CConnector*[]> onHeap;
        if (size > kOnStack) {
            onHeap.reset(new (std::nothrow) CConnector*[size]);
        }
        CConnector** peers = size > kOnStack ? onHeap.get() : onStack;
        if (peers != nullptr) {
            const std::size_t count = m_peers.CopyAll(peers, size);
            bool single = true;
            for (std::size_t i = 0; i < count; ++i) {
                if (i > 0 && peers[i] == peers[i - 1]) {
                    // Every entry of this peer went with the first.
                    single = false;
                    continue;
                }
                const std::size_t there = peers[i]->m_peers.Erase(this);
                single = single && there == 1;
            }
            m_peers.Clear();
            return single;
        }
    }
    bool single = true;
    for (CConnector* peer = m_peers.GetFirst(); peer != nullptr; peer = m_peers.GetAbove(peer)) {
        const std::size_t there = peer->m_peers.Erase(this);
        single = single && there == 1 && m_peers.Count(peer) == 1;
    }
    m_peers.Clear();
    return single;
}
