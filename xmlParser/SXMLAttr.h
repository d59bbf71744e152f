#pragma once

// One attribute. Both strings belong to the element that holds the attribute; value is
// null for an attribute written without one (<a flag>).
struct SXMLAttr {
    const char* name = nullptr;
    const char* value = nullptr;
};
