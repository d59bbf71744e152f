#pragma once

// CColumnWidths: the column widths of one list, as stored in a settings section. A
// width of -1 was never stored; on the first read it becomes the layout number that
// the current language module gives for its column, so every translation brings its
// own default widths. Resolution happens once per run.

#include <cstdint>
#include <vector>

class CINISection;

class CColumnWidths {
public:
    struct SColumn {
        const char* key;
        unsigned int layoutId;
    };

    explicit CColumnWidths(std::vector<SColumn> columns);

    void Load(CINISection& section);
    void Save(CINISection& section) const;
    // The widths, resolved on the first call; callers store new widths through it.
    std::vector<int32_t>& Get();
    // Whether the width at index is still the language's default, that is it was never
    // stored and nobody has stored another since.
    bool IsDefault(size_t index);

private:
    std::vector<SColumn> m_columns;
    std::vector<int32_t> m_widths;
    // The default each unset width took when resolved; kNoDefault for stored ones.
    std::vector<int32_t> m_defaults;
    bool m_resolved = false;
};
