#include "library/events/CConnector.h"

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Links = std::vector<std::pair<int, int>>;

// Four connectors in one array: addresses ascend with the index.
class CConnectorTest : public ::testing::Test {
protected:
    void Link(const Links& links) {
        for (const auto& link : links) {
            ASSERT_TRUE(m_nodes[link.first].Connect(&m_nodes[link.second]));
        }
    }
    std::vector<std::size_t> PeerCounts() const {
        std::vector<std::size_t> counts;
        for (const CConnector& node : m_nodes) {
            counts.push_back(node.GetNumPeers());
        }
        return counts;
    }

    CConnector m_nodes[4];
};

TEST_F(CConnectorTest, ConnectLinksBothSidesAndRefusesNullAndItself) {
    EXPECT_TRUE(m_nodes[2].Connect(&m_nodes[0]));
    EXPECT_EQ(m_nodes[2].GetFirstPeer(), &m_nodes[0]);
    EXPECT_EQ(m_nodes[0].GetFirstPeer(), &m_nodes[2]);
    EXPECT_FALSE(m_nodes[1].Connect(nullptr));
    EXPECT_FALSE(m_nodes[1].Connect(&m_nodes[1]));
    EXPECT_EQ(PeerCounts(), (std::vector<std::size_t>{1, 0, 1, 0}));
}

TEST_F(CConnectorTest, DisconnectRemovesThePairOnBothSides) {
    struct Case {
        const char* name;
        Links links;
        int from, to;
        bool result;
        std::vector<std::size_t> counts;
    };
    const Case cases[] = {
        {"single link", {{0, 1}, {0, 2}}, 0, 1, true, {1, 0, 1, 0}},
        {"from the other side", {{0, 1}, {3, 1}}, 1, 0, true, {0, 1, 0, 1}},
        {"not linked", {{0, 2}}, 0, 1, false, {1, 0, 1, 0}},
        {"linked twice", {{0, 1}, {0, 1}, {0, 2}}, 0, 1, false, {1, 0, 1, 0}},
        {"linked twice, once each way", {{0, 1}, {1, 0}, {1, 3}}, 1, 0, false, {0, 1, 0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Link(c.links);
        EXPECT_EQ(m_nodes[c.from].Disconnect(&m_nodes[c.to]), c.result);
        EXPECT_EQ(PeerCounts(), c.counts);
        for (CConnector& node : m_nodes) {
            node.DisconnectAll();
        }
    }
}

TEST_F(CConnectorTest, DisconnectOfNullChangesNothing) {
    Link({{0, 1}});
    EXPECT_FALSE(m_nodes[0].Disconnect(nullptr));
    EXPECT_EQ(PeerCounts(), (std::vector<std::size_t>{1, 1, 0, 0}));
}

TEST_F(CConnectorTest, DisconnectAllUnlinksEveryPeerAndReportsDoubleLinks) {
    struct Case {
        const char* name;
        Links links;
        bool result;
    };
    const Case cases[] = {
        {"no peers", {}, true},
        {"three peers", {{0, 3}, {0, 1}, {2, 0}}, true},
        {"one peer linked twice", {{0, 1}, {0, 2}, {2, 0}, {0, 3}}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Link(c.links);
        EXPECT_EQ(m_nodes[0].DisconnectAll(), c.result);
        EXPECT_EQ(PeerCounts(), (std::vector<std::size_t>{0, 0, 0, 0}));
    }
}

TEST(CConnector, DisconnectAllOfManyPeersUnlinksEachAndReportsADoubleLink) {
    for (bool doubled : {false, true}) {
        std::vector<CConnector> peers(300);
        CConnector hub;
        for (CConnector& peer : peers) {
            hub.Connect(&peer);
        }
        if (doubled) {
            hub.Connect(&peers[150]);
        }
        EXPECT_EQ(hub.DisconnectAll(), !doubled);
        EXPECT_EQ(hub.GetNumPeers(), 0u);
        for (const CConnector& peer : peers) {
            ASSERT_EQ(peer.GetNumPeers(), 0u);
        }
    }
}

TEST_F(CConnectorTest, DestroyedConnectorStaysInNoPeer) {
    const std::vector<int> patterns[] = {{1}, {1, 2, 3}, {2, 2}, {1, 3, 3, 3}};
    for (const auto& peers : patterns) {
        {
            CConnector doomed;
            for (int peer : peers) {
                doomed.Connect(&m_nodes[peer]);
            }
        }
        EXPECT_EQ(PeerCounts(), (std::vector<std::size_t>{0, 0, 0, 0}));
    }
}

TEST_F(CConnectorTest, CopyIsUnlinkedAndAssignmentKeepsOwnLinks) {
    Link({{0, 1}, {2, 3}});
    CConnector copy(m_nodes[0]);
    EXPECT_EQ(copy.GetNumPeers(), 0u);
    m_nodes[2] = m_nodes[0];
    EXPECT_EQ(m_nodes[2].GetFirstPeer(), &m_nodes[3]);
    EXPECT_EQ(PeerCounts(), (std::vector<std::size_t>{1, 1, 1, 1}));
}

// A hub with many peers keeps its peers in a tree; unlinking must work through every
// change of storage from either side.
TEST(CConnectorManyPeersTest, HubAndSpokesUnlinkFromEitherSide) {
    constexpr std::size_t count = 500;
    std::vector<std::unique_ptr<CConnector>> spokes;
    for (std::size_t i = 0; i < count; ++i) {
        spokes.push_back(std::make_unique<CConnector>());
    }
    auto hub = std::make_unique<CConnector>();
    for (const auto& spoke : spokes) {
        hub->Connect(spoke.get());
    }
    ASSERT_EQ(hub->GetNumPeers(), count);

    // Destroy every other spoke in a scattered order, then disconnect the rest from the hub.
    std::size_t left = count;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t victim = i * 7919 % count;
        if (victim % 2 == 0) {
            spokes[victim].reset();
            --left;
            ASSERT_EQ(hub->GetNumPeers(), left);
        }
    }
    for (std::size_t i = 1; i < count; i += 4) {
        EXPECT_TRUE(hub->Disconnect(spokes[i].get()));
        EXPECT_EQ(spokes[i]->GetNumPeers(), 0u);
        --left;
    }
    EXPECT_EQ(hub->GetNumPeers(), left);

    hub.reset();
    for (std::size_t i = 1; i < count; i += 2) {
        EXPECT_EQ(spokes[i]->GetNumPeers(), 0u);
    }
}

} // namespace
