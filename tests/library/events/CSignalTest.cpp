#include "library/events/CSignal.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "library/events/CEventTypeBase.h"
#include "library/events/CEventTypeBoolOr.h"
#include "library/events/CEventTypeNoResult.h"
#include "library/events/CSlot.h"

namespace {

class CAskEvent : public CEventTypeBoolOr {};
class CNoticeEvent : public CEventTypeNoResult {};

// A policy with a non-bool result: the last answer wins.
class CEventTypeLastText : public CEventTypeBase<std::string> {
public:
    void Combine(const std::string& answer) override { m_result = answer; }
    std::string GetResult() const override { return m_result; }
    void Reset() override { m_result = "initial"; }

private:
    std::string m_result = "initial";
};
class CTextEvent : public CEventTypeLastText {};

// Records its calls (by index) in a shared log, answers a fixed value, and may act during
// its handler (unlink, destroy...).
class CAskSlot : public CSlot<CAskEvent> {
public:
    CAskSlot(int index, std::vector<int>* log) : m_index(index), m_log(log) {}

    bool m_answer = false;
    std::function<void()> m_action;

protected:
    bool OnEvent(CAskEvent&) override {
        const bool answer = m_answer; // the action may destroy this slot
        m_log->push_back(m_index);
        if (m_action) {
            std::function<void()> action = m_action;
            action();
        }
        return answer;
    }

private:
    int m_index;
    std::vector<int>* m_log;
};

class CTextSlot : public CSlot<CTextEvent> {
public:
    explicit CTextSlot(std::string answer) : m_answer(std::move(answer)) {}

protected:
    std::string OnEvent(CTextEvent&) override { return m_answer; }

private:
    std::string m_answer;
};

// Slots built in place in one array, so that index order is address order and a slot can be
// destroyed where it stands.
class CSignalTest : public ::testing::Test {
protected:
    static constexpr int kMaxSlots = 64;

    CAskSlot& Make(int index) {
        m_slots[index].emplace(index, &m_log);
        return *m_slots[index];
    }
    // Builds slots 0 .. count-1 and links them in a scattered order.
    void MakeLinked(int count) {
        for (int i = 0; i < count; ++i) {
            Make(i);
        }
        for (int i = 0; i < count; ++i) {
            const int index = i * 7919 % count;
            ASSERT_TRUE(m_slots[index]->Connect(&m_signal));
        }
    }
    std::vector<int> EmitAndTakeLog() {
        m_log.clear();
        CAskEvent event;
        m_signal.Emit(event);
        return m_log;
    }
    static std::vector<int> Range(int count, int without = -1) {
        std::vector<int> indexes;
        for (int i = 0; i < count; ++i) {
            if (i != without) {
                indexes.push_back(i);
            }
        }
        return indexes;
    }

    std::vector<int> m_log;
    CSignal<CAskEvent> m_signal;
    std::optional<CAskSlot> m_slots[kMaxSlots];
};

TEST_F(CSignalTest, EmitWithoutSlotsGivesTheInitialResult) {
    CAskEvent ask;
    EXPECT_FALSE(m_signal.Emit(ask));
    CSignal<CNoticeEvent> noticeSignal;
    CNoticeEvent notice;
    EXPECT_FALSE(noticeSignal.Emit(notice));
    CSignal<CTextEvent> textSignal;
    CTextEvent text;
    EXPECT_EQ(textSignal.Emit(text), "initial");
}

TEST_F(CSignalTest, BoolOrCallsEverySlotAndFoldsTheAnswers) {
    const std::vector<bool> cases[] = {
        {false}, {true}, {false, true, false}, {true, true, true}, {false, false}, {true, false}};
    for (const auto& answers : cases) {
        const int count = static_cast<int>(answers.size());
        bool expected = false;
        for (int i = 0; i < count; ++i) {
            Make(i).m_answer = answers[i];
            m_slots[i]->Connect(&m_signal);
            expected = expected || answers[i];
        }
        m_log.clear();
        CAskEvent event;
        EXPECT_EQ(m_signal.Emit(event), expected);
        EXPECT_EQ(m_log, Range(count));
        event.Reset();
        EXPECT_FALSE(event.GetResult());
        for (int i = 0; i < count; ++i) {
            m_slots[i].reset();
        }
    }
}

TEST(CSignalPolicyTest, NoResultIgnoresTrueAnswers) {
    class CYesSlot : public CSlot<CNoticeEvent> {
    public:
        int m_heard = 0;

    protected:
        bool OnEvent(CNoticeEvent&) override {
            ++m_heard;
            return true;
        }
    };
    CSignal<CNoticeEvent> signal;
    CYesSlot slots[2];
    for (CYesSlot& slot : slots) {
        slot.Connect(&signal);
    }
    CNoticeEvent event;
    EXPECT_FALSE(signal.Emit(event));
    EXPECT_EQ(slots[0].m_heard + slots[1].m_heard, 2);
}

TEST(CSignalPolicyTest, NonBoolPolicyGivesTheAnswerOfTheHighestSlot) {
    CTextSlot slots[2] = {CTextSlot("A"), CTextSlot("B")};
    CSignal<CTextEvent> signal;
    slots[1].Connect(&signal);
    slots[0].Connect(&signal);
    CTextEvent event;
    EXPECT_EQ(signal.Emit(event), "B");
}

TEST_F(CSignalTest, DeliveryFollowsAddressOrderNotLinkOrder) {
    for (int count : {2, 3, 8, 40}) {
        SCOPED_TRACE(count);
        MakeLinked(count);
        EXPECT_EQ(EmitAndTakeLog(), Range(count));
        for (int i = 0; i < count; ++i) {
            m_slots[i].reset();
        }
        EXPECT_EQ(m_signal.GetNumPeers(), 0u);
    }
}

// A handler unlinks or destroys a slot of the emitting signal: its own, the one after it or
// one before it. The emission goes on with every slot that is still linked.
TEST_F(CSignalTest, HandlerMayUnlinkOrDestroyAnySlotOfTheEmission) {
    enum class EAction {
        DisconnectSelf,
        DestroySelf,
        DisconnectNext,
        DestroyNext,
        DestroyPrevious
    };
    struct Case {
        const char* name;
        EAction action;
        int victimOffset;
    };
    const Case cases[] = {
        {"disconnect itself", EAction::DisconnectSelf, 0},
        {"destroy itself", EAction::DestroySelf, 0},
        {"disconnect the next slot", EAction::DisconnectNext, 1},
        {"destroy the next slot", EAction::DestroyNext, 1},
        {"destroy the previous slot", EAction::DestroyPrevious, -1},
    };
    for (int count : {4, 40}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " of " + std::to_string(count));
            MakeLinked(count);
            const int actor = count / 2;
            const int victim = actor + c.victimOffset;
            m_slots[actor]->m_action = [this, &c, actor, victim] {
                switch (c.action) {
                case EAction::DisconnectSelf:
                case EAction::DisconnectNext:
                    m_slots[victim]->Disconnect(&m_signal);
                    break;
                case EAction::DestroySelf:
                case EAction::DestroyNext:
                case EAction::DestroyPrevious:
                    m_slots[victim].reset();
                    break;
                }
                if (victim != actor) {
                    m_slots[actor]->m_action = nullptr;
                }
            };
            EXPECT_EQ(EmitAndTakeLog(), Range(count, victim > actor ? victim : -1));
            EXPECT_EQ(EmitAndTakeLog(), Range(count, victim));
            EXPECT_EQ(m_signal.GetNumPeers(), static_cast<std::size_t>(count - 1));
            for (int i = 0; i < count; ++i) {
                m_slots[i].reset();
            }
        }
    }
}

TEST_F(CSignalTest, SlotLinkedDuringDeliveryHearsItOnlyAboveTheCurrentSlot) {
    for (int count : {6, 40}) {
        SCOPED_TRACE(count);
        for (int i = 0; i < count; ++i) {
            Make(i);
            if (i % 2 == 0) {
                m_slots[i]->Connect(&m_signal);
            }
        }
        const int actor = count / 4 * 2; // linked: even
        m_slots[actor]->m_action = [this, actor] {
            m_slots[actor - 1]->Connect(&m_signal);
            m_slots[actor + 1]->Connect(&m_signal);
            m_slots[actor]->m_action = nullptr;
        };
        std::vector<int> expected;
        for (int i = 0; i < count; ++i) {
            if (i % 2 == 0 || i == actor + 1) {
                expected.push_back(i);
            }
        }
        EXPECT_EQ(EmitAndTakeLog(), expected);
        expected.insert(expected.begin() + actor / 2, actor - 1);
        EXPECT_EQ(EmitAndTakeLog(), expected);
        for (int i = 0; i < count; ++i) {
            m_slots[i].reset();
        }
    }
}

TEST_F(CSignalTest, HandlerMayEmitTheSameSignalAgain) {
    MakeLinked(3);
    m_slots[0]->m_action = [this] {
        m_slots[0]->m_action = nullptr;
        CAskEvent inner;
        m_slots[2]->m_answer = true;
        EXPECT_TRUE(m_signal.Emit(inner));
        m_slots[2]->m_answer = false;
    };
    CAskEvent outer;
    m_log.clear();
    EXPECT_FALSE(m_signal.Emit(outer));
    EXPECT_EQ(m_log, (std::vector<int>{0, 0, 1, 2, 1, 2}));
}

// A handler destroys the emitting signal, whose token dies with it, and another one takes its
// place, linked with the same slots: the emission ends with that handler, also the outer one
// of a nested emission, and the answers given so far are the result.
TEST_F(CSignalTest, HandlerThatDestroysTheEmittingSignalEndsTheEmissionGivenItsToken) {
    struct Case {
        const char* name;
        bool nested;
        std::vector<int> log;
    };
    const Case cases[] = {{"plain", false, {0, 1}}, {"nested", true, {0, 0, 1}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<CSignal<CAskEvent>> signal(std::in_place);
        auto token = std::make_shared<const bool>(true);
        for (int i = 0; i < 4; ++i) {
            Make(i).Connect(&*signal);
        }
        m_slots[1]->m_answer = true;
        m_slots[1]->m_action = [this, &signal, &token] {
            m_slots[1]->m_action = nullptr;
            signal.emplace();
            token = std::make_shared<const bool>(true);
            for (int i = 0; i < 4; ++i) {
                m_slots[i]->Connect(&*signal);
            }
        };
        if (c.nested) {
            m_slots[0]->m_action = [this, &signal, &token] {
                m_slots[0]->m_action = nullptr;
                CAskEvent inner;
                EXPECT_TRUE(signal->Emit(inner, std::weak_ptr<const bool>(token)));
            };
        }
        m_log.clear();
        CAskEvent event;
        EXPECT_EQ(signal->Emit(event, std::weak_ptr<const bool>(token)), !c.nested);
        EXPECT_EQ(m_log, c.log);
        for (int i = 0; i < 4; ++i) {
            m_slots[i].reset();
        }
    }
}

TEST_F(CSignalTest, EverySlotIsCalledDespiteThrowingHandlersAndTheFirstExceptionLeaves) {
    MakeLinked(4);
    m_slots[1]->m_action = [] { throw std::runtime_error("handler failed"); };
    m_slots[2]->m_action = [] { throw std::logic_error("second failure"); };
    m_log.clear();
    CAskEvent event;
    EXPECT_THROW(m_signal.Emit(event), std::runtime_error);
    EXPECT_EQ(m_log, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(m_signal.GetNumPeers(), 4u);
}

TEST_F(CSignalTest, DestroyedSignalLeavesItsSlotsUnlinked) {
    for (int i = 0; i < 3; ++i) {
        Make(i);
    }
    {
        CSignal<CAskEvent> doomed;
        for (int i = 0; i < 3; ++i) {
            m_slots[i]->Connect(&doomed);
            m_slots[i]->Connect(&m_signal);
        }
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(m_slots[i]->GetNumPeers(), 1u);
        EXPECT_TRUE(m_slots[i]->Disconnect(&m_signal));
        EXPECT_TRUE(m_slots[i]->DisconnectAll());
    }
}

TEST_F(CSignalTest, PairLinkedTwiceIsHeardOnceAndUnlinkedCompletely) {
    Make(0).Connect(&m_signal);
    m_slots[0]->Connect(&m_signal);
    EXPECT_EQ(EmitAndTakeLog(), std::vector<int>{0});
    EXPECT_FALSE(m_slots[0]->Disconnect(&m_signal));
    EXPECT_EQ(m_slots[0]->GetNumPeers(), 0u);
    EXPECT_EQ(m_signal.GetNumPeers(), 0u);
}

// A listener of two event classes: one OnEvent per class, each reached by its own signal.
class CTwoEventListener : public CSlot<CAskEvent>, public CSlot<CNoticeEvent> {
public:
    explicit CTwoEventListener(std::vector<std::string>* log) : m_log(log) {}

protected:
    bool OnEvent(CAskEvent&) override { return OnAsked(); }
    bool OnEvent(CNoticeEvent&) override {
        OnNoticed();
        return false;
    }

private:
    bool OnAsked() {
        m_log->push_back("ask");
        return true;
    }
    void OnNoticed() { m_log->push_back("notice"); }

    std::vector<std::string>* m_log;
};

TEST(CSignalListenerTest, ListenerOfTwoEventsIsUnlinkedFromBothWhenDestroyed) {
    std::vector<std::string> log;
    CSignal<CAskEvent> askSignal;
    CSignal<CNoticeEvent> noticeSignal;
    CAskEvent ask;
    CNoticeEvent notice;
    {
        CTwoEventListener listener(&log);
        listener.CSlot<CAskEvent>::Connect(&askSignal);
        listener.CSlot<CNoticeEvent>::Connect(&noticeSignal);
        EXPECT_TRUE(askSignal.Emit(ask));
        noticeSignal.Emit(notice);
        EXPECT_EQ(log, (std::vector<std::string>{"ask", "notice"}));
    }
    EXPECT_EQ(askSignal.GetNumPeers(), 0u);
    EXPECT_EQ(noticeSignal.GetNumPeers(), 0u);
    ask.Reset();
    EXPECT_FALSE(askSignal.Emit(ask));
    noticeSignal.Emit(notice);
    EXPECT_EQ(log.size(), 2u);
}

} // namespace
