#pragma once

#include <cstdint>

// Makes a class T a node of an ordered tree that owns its children. Every node keeps its
// parent, first and last child, both siblings, its position among its siblings and its depth
// up to date, so the child count, a node's position and its indentation read in constant time.
//
// Usage notes:
// - T derives publicly from CTreeNode<T>: class CActivity : public CTreeNode<CActivity>.
// - Nodes are created with new: a node deletes its children when it is destroyed (first to
//   last, each child unlinking itself as it goes) and then unlinks itself from its parent.
//   Deeper down the subtree is deleted in the same depth-first order, a parent before its
//   children, but each node is first taken out of the tree as a root: its parent is gone by
//   then (only its own children are still linked to a node while its destructors run).
// - InsertChild() moves a node, with its subtree, from wherever it was.
// - Every walk over a subtree (depths, counting, destruction) is iterative, so a tree of
//   any depth can be built, walked and deleted.
// - Single-threaded (per thread); not copyable.
template <class T> class CTreeNode {
public:
    CTreeNode() noexcept = default;
    CTreeNode(const CTreeNode&) = delete;
    CTreeNode& operator=(const CTreeNode&) = delete;
    virtual ~CTreeNode();

    T* GetParent() const noexcept { return AsT(m_parent); }
    T* GetFirstChild() const noexcept { return AsT(m_firstChild); }
    T* GetLastChild() const noexcept { return AsT(m_lastChild); }
    T* GetNextSibling() const noexcept { return AsT(m_nextSibling); }
    T* GetPrevSibling() const noexcept { return AsT(m_prevSibling); }
    // The position among the parent's children, 0 for the first child and for a root.
    std::int32_t GetIndex() const noexcept {
        return m_parent == nullptr ? 0 : m_index - m_parent->m_indexBase;
    }
    // 0 for a root, the parent's depth + 1 otherwise.
    std::int32_t GetDepth() const noexcept { return m_depth; }
    std::int32_t GetNumChildren() const noexcept {
        return m_lastChild == nullptr ? 0 : m_lastChild->m_index - m_indexBase + 1;
    }
    // The number of all nodes below this one.
    std::int32_t GetNumDescendants() const noexcept;
    // The node after this one in a depth-first walk of root's subtree (a parent before its
    // children, children in order); null after the last. Walking needs no stack, so a tree
    // of any depth can be walked: for (T* n = root->GetNextInSubtree(root); n; ...).
    T* GetNextInSubtree(const T* root) const noexcept { return AsT(NextInSubtree(this, root)); }

    // Makes child a child of this node before the child at position; a position outside
    // 0 .. child count - 1 appends. A child that has a parent is unlinked from it first (and
    // position then counts the children without it). Refuses, changing nothing and returning
    // false, a null child, this node itself or one of this node's ancestors (which would make
    // a cycle); returns true otherwise.
    bool InsertChild(T* child, std::int32_t position);
    // Removes this node, with its subtree, from its parent without deleting it; it becomes a
    // root (index 0, depth 0). A root stays as it is.
    void Unlink() noexcept;
    // Sets this node's depth to depth and the depths of its subtree from depth + 1 on.
    void SetDepth(std::int32_t depth) noexcept;

private:
    static T* AsT(CTreeNode* node) noexcept { return static_cast<T*>(node); }
    // Hands this node's children, as roots, to the front of the deletion in progress.
    void DeferChildren() noexcept;
    // The node after node in a depth-first walk of root's subtree; null after the last.
    static CTreeNode* NextInSubtree(const CTreeNode* node, const CTreeNode* root) noexcept;

    // Children keep their index as m_index - parent's m_indexBase: removing or inserting
    // the first child moves the base instead of renumbering every sibling, so a tree
    // that loses its children first to last does so in linear time.
    std::int32_t m_index = 0;
    std::int32_t m_indexBase = 0;
    std::int32_t m_depth = 0;
    CTreeNode* m_parent = nullptr;
    CTreeNode* m_firstChild = nullptr;
    CTreeNode* m_lastChild = nullptr;
    CTreeNode* m_nextSibling = nullptr;
    CTreeNode* m_prevSibling = nullptr;

    // While a destructor deletes its subtree, the nodes still to be deleted, linked through
    // their next-sibling links in deletion order. A node destroyed meanwhile puts its
    // children in front instead of deleting them itself, so destruction never recurses.
    static thread_local CTreeNode* s_pending;
    static thread_local bool s_deleting;
};

template <class T> thread_local CTreeNode<T>* CTreeNode<T>::s_pending = nullptr;
template <class T> thread_local bool CTreeNode<T>::s_deleting = false;

template <class T> CTreeNode<T>::~CTreeNode() {
    if (s_deleting) {
        DeferChildren();
    } else if (m_firstChild != nullptr) {
        s_deleting = true;
        // Each child's destruction unlinks it, so the first child moves on by itself; what
        // it leaves pending (its subtree, a parent before its children) goes next.
        while (m_firstChild != nullptr) {
            delete m_firstChild;
            while (s_pending != nullptr) {
                CTreeNode* node = s_pending;
                s_pending = node->m_nextSibling;
                node->m_nextSibling = nullptr;
                delete node;
            }
        }
        s_deleting = false;
    }
    Unlink();
}

template <class T> void CTreeNode<T>::DeferChildren() noexcept {
    CTreeNode* child = m_lastChild;
    while (child != nullptr) {
        CTreeNode* prev = child->m_prevSibling;
        child->m_parent = nullptr;
        child->m_prevSibling = nullptr;
        child->m_index = 0;
        child->m_depth = 0;
        child->m_nextSibling = s_pending;
        s_pending = child;
        child = prev;
    }
    m_firstChild = nullptr;
    m_lastChild = nullptr;
    m_indexBase = 0;
}

template <class T>
CTreeNode<T>* CTreeNode<T>::NextInSubtree(const CTreeNode* node, const CTreeNode* root) noexcept {
    if (node->m_firstChild != nullptr) {
        return node->m_firstChild;
    }
    while (node != root) {
        if (node->m_nextSibling != nullptr) {
            return node->m_nextSibling;
        }
        node = node->m_parent;
    }
    return nullptr;
}

template <class T> std::int32_t CTreeNode<T>::GetNumDescendants() const noexcept {
    std::int32_t count = 0;
    for (const CTreeNode* node = NextInSubtree(this, this); node != nullptr;
         node = NextInSubtree(node, this)) {
        ++count;
    }
    return count;
}

template <class T> bool CTreeNode<T>::InsertChild(T* child, std::int32_t position) {
    CTreeNode* node = child;
    if (node == nullptr || node == this) {
        return false;
    }
    // A node without children is no one's ancestor: a new leaf goes in without a walk up
    // the tree, so building a deep tree stays linear.
    for (const CTreeNode* ancestor = node->m_firstChild != nullptr ? this : nullptr;
         ancestor != nullptr; ancestor = ancestor->m_parent) {
        if (ancestor == node) {
            return false;
        }
    }
    node->Unlink();

    const std::int32_t count = GetNumChildren();
    if (position < 0 || position >= count) {
        position = count;
    }
    // Appending needs no walk, so building a wide tree stays linear.
    CTreeNode* prev = position == count ? m_lastChild : nullptr;
    CTreeNode* next = position == count ? nullptr : m_firstChild;
    for (std::int32_t i = 0; i < position && next != nullptr; ++i) {
        prev = next;
        next = next->m_nextSibling;
    }

    node->m_parent = this;
    node->m_prevSibling = prev;
    node->m_nextSibling = next;
    (prev != nullptr ? prev->m_nextSibling : m_firstChild) = node;
    (next != nullptr ? next->m_prevSibling : m_lastChild) = node;
    if (position == 0 && next != nullptr) {
        node->m_index = --m_indexBase;
    } else {
        node->m_index = m_indexBase + position;
        for (CTreeNode* later = next; later != nullptr; later = later->m_nextSibling) {
            ++later->m_index;
        }
    }
    node->SetDepth(m_depth + 1);
    return true;
}

template <class T> void CTreeNode<T>::Unlink() noexcept {
    if (m_parent == nullptr) {
        return;
    }
    (m_prevSibling != nullptr ? m_prevSibling->m_nextSibling : m_parent->m_firstChild) =
        m_nextSibling;
    (m_nextSibling != nullptr ? m_nextSibling->m_prevSibling : m_parent->m_lastChild) =
        m_prevSibling;
    CTreeNode* parent = m_parent;
    if (m_prevSibling == nullptr) {
        ++parent->m_indexBase;
    } else {
        for (CTreeNode* later = m_nextSibling; later != nullptr; later = later->m_nextSibling) {
            --later->m_index;
        }
    }
    if (parent->m_firstChild == nullptr) {
        parent->m_indexBase = 0;
    }
    m_parent = nullptr;
    m_prevSibling = nullptr;
    m_nextSibling = nullptr;
    m_index = 0;
    SetDepth(0);
}

template <class T> void CTreeNode<T>::SetDepth(std::int32_t depth) noexcept {
    m_depth = depth;
    for (CTreeNode* node = NextInSubtree(this, this); node != nullptr;
         node = NextInSubtree(node, this)) {
        node->m_depth = node->m_parent->m_depth + 1;
    }
}
