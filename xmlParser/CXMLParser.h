#pragma once

#include "xmlParser/CXMLNode.h"
#include "xmlParser/CXMLTokenizer.h"
#include "xmlParser/SXMLOptions.h"

#include <string>
#include <vector>

struct SXMLElement;

// The forgiving parser behind CXMLNode::ParseString. It runs one state machine per open
// element on an explicit stack, so the depth of the text costs no program stack; more
// than kMaxDepth nested elements are refused as an unexpected token.
class CXMLParser {
public:
    static constexpr size_t kMaxDepth = 4096;

    // See CXMLNode::ParseString.
    static CXMLNode Parse(const char* text, const char* tag, SXMLResults* results);

private:
    enum class EStep { Proceed, Push, Done, Stop };
    enum class EAttributeState { Name, Equals, Value };
    struct SFrame {
        SXMLElement* element;
        bool insideTag;
        EAttributeState attributeState;
        const char* attributeName;
        size_t attributeNameLength;
    };

    CXMLParser(const char* text, const char* end);

    void Run(SXMLElement* root);
    EStep InsideTag(SFrame& frame, const SXMLToken& token);
    EStep CloseStartTag(SFrame& frame, const SXMLToken& token);
    EStep OutsideTag(SFrame& frame, const SXMLToken& token);
    EStep OpenChild(SFrame& frame, const SXMLToken& token);
    EStep ReadEndTag(SFrame& frame, const SXMLToken& token);
    EStep AfterChild(const SFrame& frame);
    void EndOfData(const SFrame& frame);

    bool AddPendingText(SXMLElement* element, const char* end);
    // Keeps an attribute of the open start tag (value null: none); false, after Fail,
    // for a value with a bad entity.
    bool AddAttribute(const char* name, size_t nameLength, const char* value, size_t valueLength);
    // Stores the open start tag's name and attributes in the element. Throws
    // std::bad_alloc.
    void StoreStartTag(SXMLElement* element);
    void FlushMergedText();
    EStep Fail(EXMLError error);
    bool EndTagNames(const SXMLElement* element) const;
    void Locate(const char* at, SXMLResults* results) const;

    const char* m_text;
    const char* m_end;
    const SXMLOptions m_options;
    const CXMLCharTable& m_table;
    CXMLTokenizer m_tokenizer;
    std::vector<SFrame> m_frames;

    EXMLError m_error = xeNone;
    const char* m_pendingText;
    const char* m_missingEndTag = nullptr;
    const char* m_pendingEndTag = nullptr;
    size_t m_pendingEndTagLength = 0;

    // The start tag being read: its name and attributes are stored together when it
    // closes (StoreStartTag). Only the innermost element can be inside its start tag.
    struct SPendingAttribute {
        const char* name;
        size_t nameLength;
        const char* value; // raw, null for an attribute without one
        size_t valueLength;
        size_t decodedLength;
    };
    const char* m_tagName = nullptr;
    size_t m_tagNameLength = 0;
    std::vector<SPendingAttribute> m_attributes;

    // A text that comments were removed from is joined here and stored once, so that
    // many comments between pieces of text cost linear time.
    SXMLElement* m_mergeElement = nullptr;
    int m_mergeIndex = 0;
    std::string m_merged;
};
