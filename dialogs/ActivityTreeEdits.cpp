#include "dialogs/ActivityTreeEdits.h"

#include "model/CActivity.h"
#include "model/ProjectFileLimits.h"

#include <map>

namespace activitytree {

CActivity* RowAbove(CActivity* activity) {
    CActivity* above = activity->GetPrevSibling();
    if (above == nullptr) {
        return activity->GetParent();
    }
    while (above->GetLastChild() != nullptr) {
        above = above->GetLastChild();
    }
    return above;
}

CActivity* RowAfter(CActivity* anchor) {
    CActivity* next = anchor->GetFirstChild();
    for (CActivity* node = anchor; next == nullptr && node != nullptr; node = node->GetParent()) {
        next = node->GetNextSibling();
    }
    if (next == nullptr) {
        next = anchor;
    }
    return next->GetParent() == nullptr ? nullptr : next;
}

int CountUnused(const CActivity* root) {
    int count = 0;
    for (const CActivity* node = root->GetNextInSubtree(root); node != nullptr;
         node = node->GetNextInSubtree(root)) {
        if (!node->HasTallymarks(true)) {
            ++count;
        }
    }
    return count;
}

int CountLevels(const CActivity* activity) {
    int deepest = activity->GetDepth();
    for (const CActivity* node = activity->GetNextInSubtree(activity); node != nullptr;
         node = node->GetNextInSubtree(activity)) {
        if (node->GetDepth() > deepest) {
            deepest = node->GetDepth();
        }
    }
    return deepest - activity->GetDepth() + 1;
}

bool FitsBelow(const CActivity* parent, int levels) {
    return parent->GetDepth() + levels <= kMaxActivityDepth;
}

std::string SortKey(const std::string& name) {
    std::string key = name;
    for (char& c : key) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return key;
}

namespace {

// Byte-wise, unsigned: std::string compares through char_traits<char>, which compares
// as unsigned char.
void SortChildren(CActivity* parent) {
    std::map<std::string, CActivity*> byKey;
    for (CActivity* child = parent->GetFirstChild(); child != nullptr;
         child = child->GetNextSibling()) {
        byKey.emplace(SortKey(child->GetName()), child);
    }
    int position = 0;
    for (const auto& entry : byKey) {
        if (entry.second->GetIndex() != position) {
            parent->AddChildActivity(entry.second, position);
        }
        ++position;
    }
}

} // namespace

void SortAll(CActivity* root) {
    for (CActivity* node = root; node != nullptr; node = node->GetNextInSubtree(root)) {
        SortChildren(node);
    }
}

} // namespace activitytree
