#pragma once

// Character encoding of the text that the parser reads and the writer produces. It
// decides which bytes start a multi-byte character (see CXMLCharTable).
enum EXMLEncoding : int {
    xenError = 0,
    xenUTF8 = 1,
    xenLegacy = 2, // any single-byte code page
    xenShiftJIS = 3,
};
