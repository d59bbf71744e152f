#include "xmlParser/CXMLParser.h"

#include "xmlParser/CXMLCharTable.h"
#include "xmlParser/CXMLEntities.h"
#include "xmlParser/CXMLString.h"
#include "xmlParser/SXMLElement.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

char* OwnedCopy(const char* text, size_t length) {
    char* copy = CXMLString::Copy(text, length);
    if (!copy) {
        throw std::bad_alloc();
    }
    return copy;
}

bool IsComment(const SXMLClear& clear) {
    return clear.openTag && std::strcmp(clear.openTag, "<!--") == 0;
}

bool EndsEndTagName(char c) {
    return CXMLString::IsWhiteSpace(c) || c == '/' || c == '<' || c == '>' || c == '=';
}

// The element named `tag` among the children of `top`, searched through declaration
// elements (which enclose the rest of a document); null when there is none.
SXMLElement* FindThroughDeclarations(SXMLElement* top, const char* tag) {
    SXMLElement* current = top;
    for (size_t i = 0; i < current->children.size();) {
        SXMLElement* child = current->children[i];
        if (CXMLString::EqualNoCase(child->name, tag)) {
            return child;
        }
        if (child->isDeclaration) {
            current = child;
            i = 0;
        } else {
            ++i;
        }
    }
    return nullptr;
}

} // namespace

CXMLParser::CXMLParser(const char* text, const char* end)
    : m_text(text), m_end(end), m_options(SXMLOptions::Current()),
      m_table(CXMLCharTable::For(m_options.encoding)), m_tokenizer(text, end, m_table),
      m_pendingText(text) {}

CXMLNode CXMLParser::Parse(const char* text, const char* tag, SXMLResults* results) {
    if (!text) {
        if (results) {
            *results = SXMLResults{xeNoElements, 0, 0};
        }
        return CXMLNode();
    }
    CXMLParser parser(text, text + std::strlen(text));
    CXMLNode top;
    EXMLError error = xeNone;
    try {
        top = CXMLNode::Adopt(SXMLElement::Create(nullptr, false));
        parser.Run(top.m_element);
        error = parser.m_error;
    } catch (const std::bad_alloc&) {
        // Out of memory: a partial tree must not pass for the document.
        error = xeNoXMLData;
    }
    if (error == xeNoXMLData) {
        top = CXMLNode();
    } else if (top.m_element->children.empty()) {
        error = xeNoXMLTagWarning;
    } else if (top.m_element->children.size() == 1 && top.m_element->texts.empty() &&
               top.m_element->clears.empty() && top.m_element->attributes.empty()) {
        top = CXMLNode(top.m_element->children[0]);
    }
    if (error > xeNoXMLTagWarning) {
        top = CXMLNode();
    } else if (tag && !CXMLString::EqualNoCase(top.GetName(), tag)) {
        top = CXMLNode(FindThroughDeclarations(top.m_element, tag));
        if (top.IsEmpty()) {
            error = xeFirstTagNotFound;
        }
    }
    // Every code reaches the caller, errors included: an empty result must never look
    // like a successful parse.
    if (results) {
        results->error = error;
        if (error == xeNoXMLData || error == xeFirstTagNotFound) {
            results->line = 0;
            results->column = 0;
        } else if (error != xeNone) {
            parser.Locate(error == xeUnmatchedEndTagWarning ? parser.m_missingEndTag
                                                            : parser.m_tokenizer.Position(),
                          results);
        }
    }
    return top;
}

void CXMLParser::Run(SXMLElement* root) {
    m_frames.push_back(SFrame{root, false, EAttributeState::Name, nullptr, 0});
    while (!m_frames.empty()) {
        SXMLToken token = m_tokenizer.Next();
        if (token.kind == xtEndOfData) {
            EndOfData(m_frames.back());
            break;
        }
        SFrame& frame = m_frames.back();
        EStep step = frame.insideTag ? InsideTag(frame, token) : OutsideTag(frame, token);
        while (step == EStep::Done) {
            m_frames.back().element->Compact();
            m_frames.pop_back();
            step = m_frames.empty() ? EStep::Stop : AfterChild(m_frames.back());
        }
        if (step == EStep::Stop) {
            break;
        }
    }
    FlushMergedText();
}

CXMLParser::EStep CXMLParser::InsideTag(SFrame& frame, const SXMLToken& token) {
    switch (frame.attributeState) {
    case EAttributeState::Name:
        if (token.kind == xtText) {
            frame.attributeName = token.start;
            frame.attributeNameLength = token.length;
            frame.attributeState = EAttributeState::Equals;
            return EStep::Proceed;
        }
        break;
    case EAttributeState::Equals:
        if (token.kind == xtText) {
            AddAttribute(frame.attributeName, frame.attributeNameLength, nullptr, 0);
            frame.attributeName = token.start;
            frame.attributeNameLength = token.length;
            return EStep::Proceed;
        }
        if (token.kind == xtEquals) {
            frame.attributeState = EAttributeState::Value;
            return EStep::Proceed;
        }
        break;
    case EAttributeState::Value:
        if (token.kind == xtText || token.kind == xtQuotedText) {
            const char* value = token.start;
            size_t length = token.length;
            if (token.kind == xtQuotedText) {
                ++value;
                length -= 2;
            } else if (frame.element->isDeclaration && value[length - 1] == '?') {
                --length;
            }
            if (!AddAttribute(frame.attributeName, frame.attributeNameLength, value, length)) {
                return EStep::Stop;
            }
            frame.attributeState = EAttributeState::Name;
            return EStep::Proceed;
        }
        return Fail(xeUnexpectedToken);
    }
    if (token.kind == xtTagClose || token.kind == xtShortClose) {
        return CloseStartTag(frame, token);
    }
    return Fail(xeUnexpectedToken);
}

CXMLParser::EStep CXMLParser::CloseStartTag(SFrame& frame, const SXMLToken& token) {
    m_pendingText = token.start + token.length;
    bool complete = token.kind == xtShortClose;
    if (frame.attributeState == EAttributeState::Equals) {
        SXMLElement* element = frame.element;
        size_t length = frame.attributeNameLength;
        // "<?name ...?>": the "?" belongs to the close; a declaration inside an
        // element ends there, one at the top level encloses what follows.
        if (element->isDeclaration && frame.attributeName[length - 1] == '?') {
            --length;
            if (element->parent && element->parent->parent) {
                complete = true;
            }
        }
        if (length > 0) {
            AddAttribute(frame.attributeName, length, nullptr, 0);
        }
        frame.attributeState = EAttributeState::Name;
    }
    StoreStartTag(frame.element);
    if (complete) {
        return EStep::Done;
    }
    frame.insideTag = false;
    return EStep::Proceed;
}

CXMLParser::EStep CXMLParser::OutsideTag(SFrame& frame, const SXMLToken& token) {
    switch (token.kind) {
    case xtTagStart:
    case xtDeclarationStart:
        return OpenChild(frame, token);
    case xtEndTagStart:
        return ReadEndTag(frame, token);
    case xtClearTag: {
        if (!AddPendingText(frame.element, token.start)) {
            return EStep::Stop;
        }
        const char* value = nullptr;
        size_t length = 0;
        const char* closeTag = nullptr;
        if (!m_tokenizer.ReadClear(*token.clearTag, &value, &length, &closeTag)) {
            return Fail(xeUnmatchedClearTag);
        }
        frame.element->InsertClear(
            SXMLClear{OwnedCopy(value, length), token.clearTag->open, closeTag}, -1);
        m_pendingText = m_tokenizer.Position();
        return EStep::Proceed;
    }
    default:
        // Stray text, quotes, ">", "=" and "/>" stay part of the pending text.
        return EStep::Proceed;
    }
}

CXMLParser::EStep CXMLParser::OpenChild(SFrame& frame, const SXMLToken& token) {
    SXMLElement* parent = frame.element;
    if (!AddPendingText(parent, token.start)) {
        return EStep::Stop;
    }
    SXMLToken name = m_tokenizer.Next();
    if (name.kind != xtText) {
        return Fail(xeMissingStartTagName);
    }
    if (m_frames.size() > kMaxDepth) {
        return Fail(xeUnexpectedToken);
    }
    // "<?name?>": the "?" belongs to the close, as it does after an attribute.
    const bool declaration = token.kind == xtDeclarationStart;
    size_t nameLength = name.length;
    bool closingMark = declaration && nameLength > 1 && name.start[nameLength - 1] == '?';
    if (closingMark) {
        // Only when the tag ends right there; "<?a? b>" keeps "a?" as its name.
        CXMLTokenizer peek = m_tokenizer;
        closingMark = peek.Next().kind == xtTagClose;
    }
    if (closingMark) {
        --nameLength;
    }
    // The name is stored with the attributes when the start tag closes.
    m_tagName = name.start;
    m_tagNameLength = nameLength;
    m_attributes.clear();
    SXMLElement* child = SXMLElement::Create(nullptr, declaration);
    try {
        parent->InsertChild(child, -1);
    } catch (...) {
        SXMLElement::Release(child);
        throw;
    }
    if (closingMark) {
        m_frames.push_back(
            SFrame{child, true, EAttributeState::Equals, name.start + nameLength, 1});
    } else {
        m_frames.push_back(SFrame{child, true, EAttributeState::Name, nullptr, 0});
    }
    return EStep::Push;
}

CXMLParser::EStep CXMLParser::ReadEndTag(SFrame& frame, const SXMLToken& token) {
    if (!AddPendingText(frame.element, token.start)) {
        return EStep::Stop;
    }
    SXMLToken name = m_tokenizer.Next();
    if (name.kind != xtText) {
        return Fail(xeMissingEndTagName);
    }
    SXMLToken close = m_tokenizer.Next();
    if (close.kind != xtTagClose) {
        return Fail(xeMissingEndTagName);
    }
    m_pendingText = close.start + close.length;
    m_pendingEndTag = name.start;
    m_pendingEndTagLength = name.length;
    if (EndTagNames(frame.element)) {
        m_pendingEndTag = nullptr;
    } else {
        // The end tag may close an ancestor: it travels up, closing every element on
        // its way (AfterChild).
        m_error = xeUnmatchedEndTagWarning;
        m_missingEndTag = m_tokenizer.Position();
    }
    return EStep::Done;
}

CXMLParser::EStep CXMLParser::AfterChild(const SFrame& frame) {
    if (!m_pendingEndTag) {
        return EStep::Proceed;
    }
    if (m_frames.size() == 1) {
        return Fail(xeUnmatchedEndTag);
    }
    if (EndTagNames(frame.element)) {
        m_pendingEndTag = nullptr;
    }
    return EStep::Done;
}

void CXMLParser::EndOfData(const SFrame& frame) {
    // A start tag cut off by the end keeps the attributes read so far.
    if (frame.insideTag) {
        StoreStartTag(frame.element);
    }
    // An element left open at the end is only a warning; a declaration at the top level
    // encloses the rest of the document and needs no end.
    if (!frame.element->isDeclaration && frame.element->parent) {
        m_error = xeUnmatchedEndTagWarning;
        m_missingEndTag = m_tokenizer.Position();
    }
    AddPendingText(frame.element, m_end);
}

bool CXMLParser::EndTagNames(const SXMLElement* element) const {
    if (!element->name) {
        return false;
    }
    size_t length = std::strlen(element->name);
    if (static_cast<size_t>(m_end - m_pendingEndTag) <= length) {
        return false;
    }
    return CXMLString::EqualNoCase(m_pendingEndTag, element->name, length) &&
           EndsEndTagName(m_pendingEndTag[length]);
}

bool CXMLParser::AddPendingText(SXMLElement* element, const char* end) {
    if (!m_pendingText) {
        return true;
    }
    const char* start = m_pendingText;
    m_pendingText = nullptr;
    if (m_options.dropWhiteSpace) {
        while (start < end && CXMLString::IsWhiteSpace(*start)) {
            ++start;
        }
        while (end > start && CXMLString::IsWhiteSpace(end[-1])) {
            --end;
        }
    }
    // An empty text carries nothing and would not survive writing.
    if (start == end) {
        return true;
    }
    char* decoded = nullptr;
    EXMLError error =
        CXMLEntities::Decode(start, static_cast<size_t>(end - start), m_table, &decoded);
    if (error == xeNoXMLData) {
        throw std::bad_alloc();
    }
    if (error != xeNone) {
        m_error = error;
        return false;
    }
    const std::vector<int32_t>& order = element->order;
    const size_t count = order.size();
    if (m_options.removeCommentsInMiddleOfText && count >= 2 &&
        SXMLElement::KindOf(order[count - 1]) == xcClear &&
        IsComment(element->clears[SXMLElement::IndexOf(order[count - 1])]) &&
        SXMLElement::KindOf(order[count - 2]) == xcText) {
        int textIndex = SXMLElement::IndexOf(order[count - 2]);
        try {
            if (m_mergeElement != element || m_mergeIndex != textIndex) {
                FlushMergedText();
                m_merged.assign(element->texts[textIndex]);
                m_mergeElement = element;
                m_mergeIndex = textIndex;
            }
            m_merged.append(decoded);
        } catch (...) {
            CXMLString::Free(decoded);
            throw;
        }
        CXMLString::Free(decoded);
        element->RemoveClearAt(SXMLElement::IndexOf(order[count - 1]));
        return true;
    }
    element->InsertText(decoded, -1);
    return true;
}

bool CXMLParser::AddAttribute(const char* name, size_t nameLength, const char* value,
                              size_t valueLength) {
    SPendingAttribute attribute{name, nameLength, value, valueLength, 0};
    if (value) {
        // Checked now, so that a bad entity fails where it stands.
        const EXMLError error = CXMLEntities::DecodeInto(value, valueLength, m_table, nullptr,
                                                         &attribute.decodedLength);
        if (error != xeNone) {
            Fail(error);
            return false;
        }
    }
    m_attributes.push_back(attribute);
    return true;
}

void CXMLParser::StoreStartTag(SXMLElement* element) {
    if (m_attributes.size() >= SXMLElement::kMaxPerKind) {
        throw std::bad_alloc();
    }
    size_t size = m_tagNameLength + 1;
    for (const SPendingAttribute& attribute : m_attributes) {
        size += attribute.nameLength + 1 + (attribute.value ? attribute.decodedLength + 1 : 0);
    }
    // One block for every string of the tag: a large document holds millions of them.
    char* block = static_cast<char*>(std::malloc(size));
    if (!block) {
        throw std::bad_alloc();
    }
    std::memcpy(block, m_tagName, m_tagNameLength);
    block[m_tagNameLength] = '\0';
    element->strings = block;
    element->stringsSize = size;
    element->name = block;
    element->attributes.reserve(element->attributes.size() + m_attributes.size());
    char* at = block + m_tagNameLength + 1;
    for (const SPendingAttribute& attribute : m_attributes) {
        char* name = at;
        std::memcpy(name, attribute.name, attribute.nameLength);
        name[attribute.nameLength] = '\0';
        at += attribute.nameLength + 1;
        char* value = nullptr;
        if (attribute.value) {
            value = at;
            size_t length = 0;
            CXMLEntities::DecodeInto(attribute.value, attribute.valueLength, m_table, value,
                                     &length);
            value[length] = '\0';
            at += length + 1;
        }
        element->attributes.push_back(SXMLAttr{name, value});
    }
    m_attributes.clear();
}

void CXMLParser::FlushMergedText() {
    if (!m_mergeElement) {
        return;
    }
    char* joined = OwnedCopy(m_merged.data(), m_merged.size());
    CXMLString::Free(m_mergeElement->texts[m_mergeIndex]);
    m_mergeElement->texts[m_mergeIndex] = joined;
    m_mergeElement = nullptr;
    m_merged.clear();
}

CXMLParser::EStep CXMLParser::Fail(EXMLError error) {
    m_error = error;
    return EStep::Stop;
}

void CXMLParser::Locate(const char* at, SXMLResults* results) const {
    int line = 1;
    int column = 1;
    for (const char* p = m_text; p < at && p < m_end; p += m_table.Length(p, m_end)) {
        if (*p == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    results->line = line;
    results->column = column;
}
