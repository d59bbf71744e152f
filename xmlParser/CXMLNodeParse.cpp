#include "xmlParser/CXMLNode.h"

#include "xmlParser/CXMLParser.h"
#include "xmlParser/SXMLOptions.h"

CXMLNode CXMLNode::ParseString(const char* text, const char* tag, SXMLResults* results) {
    return CXMLParser::Parse(text, tag, results);
}

bool CXMLNode::SetParserOptions(EXMLEncoding encoding, bool guessWideCharacters,
                                bool dropWhiteSpace, bool removeCommentsInMiddleOfText) {
    SXMLOptions& options = SXMLOptions::Current();
    options.guessWideCharacters = guessWideCharacters;
    options.dropWhiteSpace = dropWhiteSpace;
    options.removeCommentsInMiddleOfText = removeCommentsInMiddleOfText;
    if (encoding < xenUTF8 || encoding > xenShiftJIS) {
        return true;
    }
    options.encoding = encoding;
    return false;
}

const char* CXMLNode::DescribeError(EXMLError error) {
    static const char* const kTexts[] = {
        "No error",
        "Warning: Unmatched end tag",
        "Warning: No XML tag found",
        "Error: No XML data",
        "Error: Missing start tag name",
        "Error: Missing end tag name",
        "Error: Unmatched end tag",
        "Error: Unmatched clear tag end",
        "Error: Unexpected token found",
        "Error: No elements found",
        "Error: File not found",
        "Error: First Tag not found",
        "Error: Unknown character entity",
        "Error: Character code above 255 is forbidden in MultiByte char mode.",
        "Error: unable to convert between WideChar and MultiByte chars",
        "Error: unable to open file for writing",
        "Error: cannot write into file",
        "Warning: Base64-string length is not a multiple of 4",
        "Error: Base64-string contains an illegal character",
        "Warning: Base64-string is truncated",
        "Error: Base64 decode output buffer is too small",
    };
    const int count = static_cast<int>(sizeof(kTexts) / sizeof(kTexts[0]));
    return error >= 0 && error < count ? kTexts[error] : "Unknown";
}
