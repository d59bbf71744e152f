#include "library/events/CPeerSet.h"

#include <functional>

#include "library/events/CConnector.h"

static_assert(alignof(CConnector) > 1, "an entry must leave the tag bit clear");

namespace {

std::uintptr_t ToWord(const void* pointer) {
    return reinterpret_cast<std::uintptr_t>(pointer);
}

CConnector* ToPeer(std::uintptr_t word) {
    return reinterpret_cast<CConnector*>(word);
}

bool Less(const CConnector* a, const CConnector* b) {
    return std::less<const CConnector*>()(a, b);
}

} // namespace

CPeerSet::~CPeerSet() {
    Clear();
}

CPeerTree CPeerSet::GetTree() const noexcept {
    return CPeerTree(reinterpret_cast<CPeerTree::SNode*>(m_first));
}

void CPeerSet::SetTree(const CPeerTree& tree, std::size_t size) noexcept {
    m_first = ToWord(tree.GetRoot());
    m_second = (static_cast<std::uintptr_t>(size) << 1) | kTreeTag;
}

void CPeerSet::SetInline(CConnector* first, CConnector* second) noexcept {
    m_first = ToWord(first);
    m_second = ToWord(second);
}

void CPeerSet::Insert(CConnector* peer) {
    if (IsTree()) {
        CPeerTree tree = GetTree();
        tree.Insert(peer);
        SetTree(tree, GetSize() + 1);
        return;
    }
    CConnector* first = ToPeer(m_first);
    CConnector* second = ToPeer(m_second);
    if (first == nullptr) {
        SetInline(peer, nullptr);
    } else if (second == nullptr) {
        SetInline(Less(peer, first) ? peer : first, Less(peer, first) ? first : peer);
    } else {
        CConnector* sorted[kInlineCapacity + 1] = {first, second, peer};
        if (Less(peer, second)) {
            sorted[2] = second;
            sorted[1] = Less(peer, first) ? first : peer;
            sorted[0] = Less(peer, first) ? peer : first;
        }
        SetTree(CPeerTree::Create(sorted, kInlineCapacity + 1), kInlineCapacity + 1);
    }
}

std::size_t CPeerSet::Erase(const CConnector* peer) noexcept {
    if (IsTree()) {
        CPeerTree tree = GetTree();
        const std::size_t erased = tree.Erase(peer);
        const std::size_t size = GetSize() - erased;
        if (size > kInlineCapacity) {
            SetTree(tree, size);
            return erased;
        }
        CConnector* rest[kInlineCapacity] = {};
        tree.CopyFirst(rest, kInlineCapacity);
        tree.Destroy();
        SetInline(rest[0], rest[1]);
        return erased;
    }
    CConnector* first = ToPeer(m_first);
    CConnector* second = ToPeer(m_second);
    const bool firstGoes = first != nullptr && first == peer;
    const bool secondGoes = second != nullptr && second == peer;
    if (firstGoes) {
        SetInline(secondGoes ? nullptr : second, nullptr);
    } else if (secondGoes) {
        SetInline(first, nullptr);
    }
    return static_cast<std::size_t>(firstGoes) + secondGoes;
}

void CPeerSet::Clear() noexcept {
    if (IsTree()) {
        GetTree().Destroy();
    }
    SetInline(nullptr, nullptr);
}

std::size_t CPeerSet::Count(const CConnector* peer) const noexcept {
    if (IsTree()) {
        return GetTree().Count(peer);
    }
    return static_cast<std::size_t>(m_first != 0 && ToPeer(m_first) == peer) +
           (m_second != 0 && ToPeer(m_second) == peer);
}

std::size_t CPeerSet::CopyAll(CConnector** out, std::size_t max) const noexcept {
    if (IsTree()) {
        return GetTree().CopyFirst(out, max);
    }
    std::size_t copied = 0;
    for (std::uintptr_t word : {m_first, m_second}) {
        if (word != 0 && copied < max) {
            out[copied++] = ToPeer(word);
        }
    }
    return copied;
}

CConnector* CPeerSet::GetFirst() const noexcept {
    return IsTree() ? GetTree().GetFirst() : ToPeer(m_first);
}

CConnector* CPeerSet::GetAbove(const CConnector* peer) const noexcept {
    if (IsTree()) {
        return GetTree().GetAbove(peer);
    }
    for (std::uintptr_t word : {m_first, m_second}) {
        if (word != 0 && Less(peer, ToPeer(word))) {
            return ToPeer(word);
        }
    }
    return nullptr;
}
