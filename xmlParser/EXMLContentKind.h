#pragma once

// Kind of one content of an element. Children, texts and clears are numbered in
// document order; attributes are listed apart and never take part in that order.
enum EXMLContentKind : int {
    xcChild = 0,
    xcAttribute = 1,
    xcText = 2,
    xcClear = 3,
    xcNone = 4,
};
