#pragma once

// The limits of what a project file holds. The readers of both formats refuse a file
// beyond them as damaged; the save check (CSaveCheck) refuses to write one, and the edits
// that could pass them (manage activities, import and export) refuse to.

// How deep activities may be nested: the root at depth 0, top-level activities at depth 1.
// Deeper data is taken for damage: the XML reader and writer recurse along the depth, and no
// real project comes near it.
constexpr int kMaxActivityDepth = 1000;
