// CActivity: copying subtrees and merging one tree into another.

#include "model/CActivity.h"

#include <string.h>

bool CActivity::CopyTo(CActivity* target, bool withChildren, bool withRecords) {
    if (target == nullptr || IsAncestorOrSelf(target)) {
        return false;
    }
    target->m_name = m_name;
    target->m_enabled = m_enabled;
    target->m_mergeMark = m_mergeMark;
    target->m_mergedTallymarks = m_mergedTallymarks;
    target->DeleteChildren();
    if (withRecords) {
        m_tallymarks.CopyAll(target->m_tallymarks, true);
    }
    if (withChildren) {
        for (CActivity* child = GetFirstChild(); child != nullptr;
             child = child->GetNextSibling()) {
            CActivity* copy = new CActivity(target->m_projectState, std::string(), false);
            target->AddChildActivity(copy, -1);
            child->CopyTo(copy, true, withRecords);
        }
    }
    return true;
}

void CActivity::MergeFrom(CActivity* source, const CActivitySet& chosen,
                          const CDateTime& periodStart, const CDateTime& periodEnd, bool move,
                          bool& copiedAny, bool& movedAny) {
    copiedAny = false;
    movedAny = false;
    const bool isRoot = GetParent() == nullptr;
    if (isRoot) {
        ResetMergeMarks();
        m_mergeMark = 1;
    }
    MergeSubtree(source, chosen, periodStart, periodEnd, move, copiedAny, movedAny);
    if (isRoot) {
        Prune(true);
    }
}

void CActivity::MergeSubtree(CActivity* source, const CActivitySet& chosen,
                             const CDateTime& periodStart, const CDateTime& periodEnd, bool move,
                             bool& copiedAny, bool& movedAny) {
    m_mergedTallymarks = false;
    if (chosen.count(source) != 0 &&
        source->m_tallymarks.CopyClipped(m_tallymarks, false, move, periodStart, periodEnd)) {
        copiedAny = true;
        movedAny = movedAny || move;
        m_mergedTallymarks = true;
    }
    for (CActivity* child = source->GetFirstChild(); child != nullptr;
         child = child->GetNextSibling()) {
        if (!child->HasTallymarks(true)) {
            continue;
        }
        CActivity* match = GetFirstChild();
        while (match != nullptr && _stricmp(match->m_name.c_str(), child->m_name.c_str()) != 0) {
            match = match->GetNextSibling();
        }
        if (match != nullptr) {
            // An activity this merge created stays marked as created, so that it still goes
            // when it receives nothing.
            if (match->m_mergeMark != 2) {
                match->m_mergeMark = 1;
            }
        } else {
            match = new CActivity(m_projectState, std::string(), false);
            child->CopyTo(match, false, false);
            AddChildActivity(match, -1);
            match->m_mergeMark = 2;
        }
        match->MergeSubtree(child, chosen, periodStart, periodEnd, move, copiedAny, movedAny);
    }
}

void CActivity::ResetMergeMarks() {
    m_mergeMark = 0;
    m_mergedTallymarks = false;
    for (CActivity* child = GetFirstChild(); child != nullptr; child = child->GetNextSibling()) {
        child->ResetMergeMarks();
    }
}
