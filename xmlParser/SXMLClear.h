#pragma once

// One clear content: a block kept raw between an open and a close marker, such as a
// CDATA section, a comment or a DOCTYPE. The value belongs to the element; the markers
// are constant texts that nobody frees.
struct SXMLClear {
    const char* value = nullptr;
    const char* openTag = nullptr;
    const char* closeTag = nullptr;
};
