#pragma once

// Result codes of parsing, writing and Base64 decoding. Codes 1, 2, 17 and 19 are
// warnings (the result is kept); every other non-zero code is an error. Their fixed
// English texts come from CXMLNode::DescribeError.
enum EXMLError : int {
    xeNone = 0,
    xeUnmatchedEndTagWarning = 1,
    xeNoXMLTagWarning = 2,
    xeNoXMLData = 3,
    xeMissingStartTagName = 4,
    xeMissingEndTagName = 5,
    xeUnmatchedEndTag = 6,
    xeUnmatchedClearTag = 7,
    xeUnexpectedToken = 8,
    xeNoElements = 9,
    xeFileNotFound = 10,
    xeFirstTagNotFound = 11,
    xeUnknownCharacterEntity = 12,
    xeCharacterCodeAbove255 = 13,
    xeCharConversion = 14,
    xeCannotOpenWriteFile = 15,
    xeCannotWriteFile = 16,
    xeBase64DataSizeWarning = 17,
    xeBase64BadCharacter = 18,
    xeBase64TruncatedWarning = 19,
    xeBase64BufferTooSmall = 20,
};
