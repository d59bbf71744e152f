#include "library/events/CSlotBridge.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "library/events/CEventTypeBoolOr.h"
#include "library/events/CEventTypeNoResult.h"
#include "library/events/CSignal.h"

namespace {

class CAskEvent : public CEventTypeBoolOr {};
class CNoticeEvent : public CEventTypeNoResult {};

// The shape of the main windows: a base class and a derived class each hear both events
// through bridges of their own.
class CBaseWindow : public CSlotBridge<CAskEvent, CBaseWindow>,
                    public CSlotBridge<CNoticeEvent, CBaseWindow> {
public:
    explicit CBaseWindow(std::vector<std::string>* log)
        : CSlotBridge<CAskEvent, CBaseWindow>(this), CSlotBridge<CNoticeEvent, CBaseWindow>(this),
          m_log(log) {}

protected:
    void OnNoticed(const std::string& level) { m_log->push_back(level + " noticed"); }

    std::vector<std::string>* m_log;

private:
    template <class, class> friend class ::CSlotBridge;

    // Virtual on purpose: the base's bridge must still reach the base's handler.
    virtual bool OnBridgedEvent(CAskEvent&) { return OnAsked(); }
    bool OnBridgedEvent(CNoticeEvent&) {
        OnNoticed("base");
        return false;
    }
    bool OnAsked() {
        m_log->push_back("base asked");
        return false;
    }
};

class CDerivedWindow : public CBaseWindow,
                       public CSlotBridge<CAskEvent, CDerivedWindow>,
                       public CSlotBridge<CNoticeEvent, CDerivedWindow> {
public:
    using AskBase = CSlotBridge<CAskEvent, CBaseWindow>;
    using AskDerived = CSlotBridge<CAskEvent, CDerivedWindow>;
    using NoticeBase = CSlotBridge<CNoticeEvent, CBaseWindow>;
    using NoticeDerived = CSlotBridge<CNoticeEvent, CDerivedWindow>;

    explicit CDerivedWindow(std::vector<std::string>* log)
        : CBaseWindow(log), AskDerived(this), NoticeDerived(this) {}

private:
    template <class, class> friend class ::CSlotBridge;

    bool OnBridgedEvent(CAskEvent&) override {
        m_log->push_back("derived asked");
        return true;
    }
    // The derived level uses the inherited handler through its own link.
    bool OnBridgedEvent(CNoticeEvent&) {
        OnNoticed("derived");
        return false;
    }
};

class CSlotBridgeTest : public ::testing::Test {
protected:
    // The two handlers' entries in the order of their slots' addresses.
    std::vector<std::string> InAddressOrder(const std::string& base, const std::string& derived) {
        const CSlot<CAskEvent>* baseSlot = static_cast<CDerivedWindow::AskBase*>(&m_window);
        const CSlot<CAskEvent>* derivedSlot = static_cast<CDerivedWindow::AskDerived*>(&m_window);
        if (std::less<const CSlot<CAskEvent>*>()(baseSlot, derivedSlot)) {
            return {base, derived};
        }
        return {derived, base};
    }
    bool Ask(CSignal<CAskEvent>& signal) {
        m_log.clear();
        CAskEvent event;
        return signal.Emit(event);
    }

    std::vector<std::string> m_log;
    CDerivedWindow m_window{&m_log};
    CSignal<CAskEvent> m_ask;
    CSignal<CAskEvent> m_otherAsk;
    CSignal<CNoticeEvent> m_notice;
};

TEST_F(CSlotBridgeTest, EachLevelHearsThroughItsOwnLinkAndHandler) {
    ASSERT_TRUE(m_window.AskBase::Connect(&m_ask));
    EXPECT_FALSE(Ask(m_ask));
    EXPECT_EQ(m_log, std::vector<std::string>{"base asked"});

    ASSERT_TRUE(m_window.AskDerived::Connect(&m_ask));
    EXPECT_TRUE(Ask(m_ask));
    EXPECT_EQ(m_log, InAddressOrder("base asked", "derived asked"));

    EXPECT_TRUE(m_window.AskBase::Disconnect(&m_ask));
    EXPECT_TRUE(Ask(m_ask));
    EXPECT_EQ(m_log, std::vector<std::string>{"derived asked"});
    EXPECT_EQ(m_window.AskBase::GetNumPeers(), 0u);
    EXPECT_EQ(m_window.AskDerived::GetNumPeers(), 1u);
}

TEST_F(CSlotBridgeTest, LevelsLinkedToDifferentSignalsHearOnlyTheirOwn) {
    m_window.AskBase::Connect(&m_ask);
    m_window.AskDerived::Connect(&m_otherAsk);
    EXPECT_TRUE(Ask(m_otherAsk));
    EXPECT_EQ(m_log, std::vector<std::string>{"derived asked"});
    EXPECT_FALSE(Ask(m_ask));
    EXPECT_EQ(m_log, std::vector<std::string>{"base asked"});
}

TEST_F(CSlotBridgeTest, DerivedLevelMayUseTheInheritedHandler) {
    m_window.NoticeDerived::Connect(&m_notice);
    m_window.NoticeBase::Connect(&m_notice);
    CNoticeEvent event;
    m_notice.Emit(event);
    ASSERT_EQ(m_log.size(), 2u);
    for (const char* entry : {"base noticed", "derived noticed"}) {
        EXPECT_EQ(std::count(m_log.begin(), m_log.end(), entry), 1) << entry;
    }
}

TEST(CSlotBridgeLifetimeTest, DestroyedOwnerUnlinksEveryBridge) {
    std::vector<std::string> log;
    CSignal<CAskEvent> ask;
    CSignal<CNoticeEvent> notice;
    {
        CDerivedWindow window(&log);
        window.CDerivedWindow::AskBase::Connect(&ask);
        window.CDerivedWindow::AskDerived::Connect(&ask);
        window.CDerivedWindow::NoticeBase::Connect(&notice);
        window.CDerivedWindow::NoticeDerived::Connect(&notice);
        EXPECT_EQ(ask.GetNumPeers(), 2u);
        EXPECT_EQ(notice.GetNumPeers(), 2u);
    }
    EXPECT_EQ(ask.GetNumPeers(), 0u);
    EXPECT_EQ(notice.GetNumPeers(), 0u);
    CAskEvent event;
    EXPECT_FALSE(ask.Emit(event));
    EXPECT_TRUE(log.empty());
}

} // namespace
