#pragma once

#include "xmlParser/EXMLContentKind.h"
#include "xmlParser/SXMLAttr.h"
#include "xmlParser/SXMLClear.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// One element of a document tree, shared by the CXMLNode handles that refer to it.
// Each entry of `children` holds one counted reference to its child; `parent` is a plain
// pointer, so a tree has no reference cycles. `order` lists every child, text and clear
// in document order as (index within its kind) * 4 + kind.
//
// The insert and remove operations keep the kind arrays and `order` consistent. An
// insert reserves all memory before it changes anything, so a std::bad_alloc from it
// leaves the element as it was. The arrays grow geometrically: appending n contents costs
// time and copying linear in n.
struct SXMLElement {
    const char* name = nullptr; // owned; null for the nameless root that parsing creates
    SXMLElement* parent = nullptr;
    std::vector<SXMLElement*> children;
    std::vector<const char*> texts; // owned
    std::vector<SXMLClear> clears;  // values owned, markers constant
    std::vector<SXMLAttr> attributes;
    std::vector<int32_t> order;
    int32_t refCount = 1;
    bool isDeclaration = false; // beside the count: a large document holds many elements
    // One block that holds the name and the start tag's attribute strings of a parsed
    // element (owned; null when each string has its own block). A string inside it is
    // never freed alone: FreeString tells the two kinds apart.
    char* strings = nullptr;
    size_t stringsSize = 0;

    // No kind may outgrow what an order entry can number.
    static constexpr size_t kMaxPerKind = 0x1FFFFFFF;

    // A new record that takes over `ownedName`, with count 1. Throws std::bad_alloc
    // (after freeing the name).
    static SXMLElement* Create(const char* ownedName, bool isDeclaration);
    // Lowers the count; at 0 the element leaves its parent and is destroyed together
    // with every descendant that no other handle holds, without recursion.
    static void Release(SXMLElement* element);

    int OrderCount() const { return static_cast<int>(order.size()); }
    int ContentCount() const;
    static EXMLContentKind KindOf(int32_t entry) { return static_cast<EXMLContentKind>(entry & 3); }
    static int IndexOf(int32_t entry) { return entry >> 2; }

    // Inserts at order position `position` (-1 or past the end appends); the content
    // takes the kind index of the first content of its kind at or after that position.
    // Returns the kind index. The element takes over the child's count or the strings;
    // on std::bad_alloc the strings are freed and the element is unchanged.
    int InsertChild(SXMLElement* child, int position);
    int InsertText(const char* ownedText, int position);
    int InsertClear(const SXMLClear& ownedClear, int position);
    void AppendAttribute(const SXMLAttr& ownedAttribute);
    // Moves every child of `source` here, in their order, starting at order position
    // `position` (as InsertChild counts it); each keeps its count and `source` its other
    // contents. Costs time linear in both elements' contents. Throws std::bad_alloc with
    // both elements unchanged.
    void TakeChildrenOf(SXMLElement* source, int position);
    // Makes room for `more` items without giving up geometric growth: capacity at least
    // doubles when it has to grow. Throws std::bad_alloc with the array unchanged.
    template <class T> static void ReserveMore(std::vector<T>& items, size_t more) {
        const size_t needed = items.size() + more;
        if (needed > items.capacity()) {
            const size_t doubled = items.capacity() * 2;
            items.reserve(needed > doubled ? needed : doubled);
        }
    }

    // Removes one content; the child is unlinked but not released, strings are freed.
    void RemoveChildAt(int index);
    void RemoveTextAt(int index);
    void RemoveClearAt(int index);
    void RemoveAttributeAt(int index);
    // Index of `child` among the children, or -1.
    int FindChildIndex(const SXMLElement* child) const;
    // Position in `order` of the content of `kind` with `index`, or -1.
    int OrderPositionOf(EXMLContentKind kind, int index) const;
    // True when `other` is this element or one of its ancestors.
    bool IsSelfOrDescendantOf(const SXMLElement* other) const;

    // Frees a string that this element owns, unless it lives in `strings`.
    void FreeString(const char* text) const;
    // Frees the name and every content; children are released.
    void FreeContents();
    // Gives back memory that the arrays hold beyond their contents.
    void Compact();

private:
    template <class T>
    int Insert(std::vector<T>& items, const T& item, EXMLContentKind kind, int position);
    template <class T> void Remove(std::vector<T>& items, EXMLContentKind kind, int index);
};
