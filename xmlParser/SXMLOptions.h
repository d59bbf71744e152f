#pragma once

#include "xmlParser/EXMLEncoding.h"

// The parser's options, one set for the whole program (set with
// CXMLNode::SetParserOptions). They persist between parses; the module is used from one
// thread only.
struct SXMLOptions {
    EXMLEncoding encoding = xenUTF8;
    // The file-reading operations test a file for UTF-16 text first.
    bool guessWideCharacters = true;
    // Texts are trimmed and white-space-only texts dropped; laid-out writing needs it.
    bool dropWhiteSpace = true;
    // A comment between two pieces of text is removed and the texts joined.
    bool removeCommentsInMiddleOfText = true;

    static SXMLOptions& Current();
};
