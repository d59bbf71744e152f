#pragma once

// The tree arithmetic of the manage activities dialog, apart from any window: which row
// is selected after a removal, what counts as unused, and the order that "Sort all"
// gives. Display order is pre-order below the root (the root itself is never shown).

#include <string>

class CActivity;

namespace activitytree {

// The row shown directly above activity: the last descendant of its previous sibling,
// the previous sibling itself when that has no children, else its parent (the root for
// a first top-level activity).
CActivity* RowAbove(CActivity* activity);

// The row that follows anchor once the subtree below it was removed: anchor's first
// child, else the next sibling of anchor or of its nearest ancestor that has one, else
// anchor itself. Null when that is the root (no activity is left to select).
CActivity* RowAfter(CActivity* anchor);

// An activity is unused when neither it nor any descendant holds a tally mark. Counts
// those below root (root not counted).
int CountUnused(const CActivity* root);

// The number of levels that activity's subtree spans: 1 for an activity without children.
int CountLevels(const CActivity* activity);

// Whether levels more levels of activities below parent stay within the depth that a
// project file holds (kMaxActivityDepth): what an indent or a new activity must keep to.
bool FitsBelow(const CActivity* parent, int levels);

// The key that "Sort all" orders siblings by: the name with A-Z lowered, every other
// byte as it is; keys compare byte-wise, unsigned.
std::string SortKey(const std::string& name);

// Sorts the children of every activity of root's tree by SortKey. Of siblings with the
// same key the first takes part in the sort; the others keep their relative order after
// all sorted siblings. An activity already at its place is not moved.
void SortAll(CActivity* root);

} // namespace activitytree
