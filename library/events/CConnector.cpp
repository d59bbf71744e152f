#include "library/events/CConnector.h"

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
    bool single = true;
    for (CConnector* peer = m_peers.GetFirst(); peer != nullptr; peer = m_peers.GetAbove(peer)) {
        const std::size_t there = peer->m_peers.Erase(this);
        single = single && there == 1 && m_peers.Count(peer) == 1;
    }
    m_peers.Clear();
    return single;
}
