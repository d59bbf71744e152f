#pragma once

// Reading and writing a list of project entries as "Size" and "Project<n>Name" /
// "Project<n>FilePath" keys of one settings section.

#include "model/SProjectEntry.h"

#include <functional>

class CINISection;

// Calls add for every stored entry below "Size" with a name and a path, in the order
// of the entry numbers; numbers may leave gaps (a hand-edited or partly deleted list).
// Only the entry numbers the section really holds are visited, so a damaged "Size"
// cannot make it run for ever.
void ReadProjectEntries(CINISection& section, const std::function<void(SProjectEntry)>& add);
// Writes "Size" and the two keys of every entry; index gives entry n.
void WriteProjectEntries(CINISection& section, size_t count,
                         const std::function<const SProjectEntry&(size_t)>& entry);
