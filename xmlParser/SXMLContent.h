#pragma once

#include "xmlParser/CXMLNode.h"
#include "xmlParser/EXMLContentKind.h"
#include "xmlParser/SXMLAttr.h"
#include "xmlParser/SXMLClear.h"

// One content of an element (CXMLNode::GetContentAt); only the field of `kind` is
// meaningful, and xcNone means there was no such content.
struct SXMLContent {
    EXMLContentKind kind = xcNone;
    CXMLNode child;
    SXMLAttr attribute;
    const char* text = nullptr;
    SXMLClear clear;
};
