#include "model/CXMLTranslator.h"

#include "library/files/CDataStream.h"
#include "model/CActivity.h"
#include "model/CProjectState.h"
#include "model/CTallymark.h"
#include "model/ProjectFileLimits.h"
#include "model/ProjectFileValues.h"
#include "xmlParser/CXMLParser.h"
#include "xmlParser/CXMLStreamWriter.h"
#include "xmlParser/SXMLOptions.h"

#include <cstring>

namespace {

const char kByteOrderMark[] = "\xEF\xBB\xBF";
const std::size_t kByteOrderMarkLength = 3;
const char kDeclaration[] = "xml version='1.0' encoding='utf-8'";
const char kRootElement[] = "TallymarksProject";
const char kVersionAttribute[] = "version";
const char kNameElement[] = "Name";
const char kActivityElement[] = "Activity";
const char kEnabledAttribute[] = "enabled";
const char kNameAttribute[] = "name";
const char kTallymarkElement[] = "Tallymark";
const char kStartAttribute[] = "start";
const char kEndAttribute[] = "end";
const char kOpenAttribute[] = "open";

// The parser refuses a document nested deeper than its own limit. The deepest tally mark
// lies below the deepest activity, the project element and the declaration, which encloses
// the rest of the document: every tree the activity limit lets through must parse.
static_assert(static_cast<std::size_t>(kMaxActivityDepth) + 3 <= CXMLParser::kMaxDepth,
              "the XML parser must read every activity tree that a project file may hold");

// The parser's options are global: set for one parse or one rendering, then restored
// for the module's other users.
class CParserOptionsScope {
public:
    CParserOptionsScope(EXMLEncoding encoding, bool dropWhiteSpace)
        : m_saved(SXMLOptions::Current()) {
        CXMLNode::SetParserOptions(encoding, m_saved.guessWideCharacters, dropWhiteSpace, true);
    }
    ~CParserOptionsScope() { SXMLOptions::Current() = m_saved; }
    CParserOptionsScope(const CParserOptionsScope&) = delete;
    CParserOptionsScope& operator=(const CParserOptionsScope&) = delete;

private:
    const SXMLOptions m_saved;
};

bool IsLayoutSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The text of the "Name" element as written. Only a text that spans lines carries the
// layout of the program that wrote it around the name; that is cut off.
std::string NameElementText(const CXMLNode& element) {
    const char* text = element.GetText(0);
    if (text == nullptr) {
        return std::string();
    }
    std::string name(text);
    if (name.find_first_of("\r\n") != std::string::npos) {
        const std::size_t first = name.find_first_not_of(" \t\r\n");
        if (first == std::string::npos) {
            return std::string();
        }
        std::size_t last = name.size();
        while (IsLayoutSpace(name[last - 1])) {
            --last;
        }
        name = name.substr(first, last - first);
    }
    return name;
}

} // namespace

ETranslatorResult CXMLTranslator::Identify() {
    const std::string& data = m_stream.GetData();
    const std::size_t skip =
        data.compare(0, kByteOrderMarkLength, kByteOrderMark) == 0 ? kByteOrderMarkLength : 0;
    // The buffer is zero-terminated; the parser reads up to the first zero byte.
    const char* text = data.c_str() + skip;
    m_utf8 = CUtf8TextConverter::IsValidUtf8(text, std::strlen(text));
    SXMLResults results;
    {
        // White space is kept: the project name is the "Name" element's text as written.
        CParserOptionsScope options(m_utf8 ? xenUTF8 : xenLegacy, false);
        m_document = CXMLNode::ParseString(text, kRootElement, &results);
    }
    if (m_document.IsEmpty()) {
        return trNotThisFormat;
    }
    // A warning means an element was never closed: the file broke off, or its structure
    // cannot be trusted.
    if (results.error != xeNone) {
        return trDamaged;
    }
    const char* versionText = m_document.GetAttribute(kVersionAttribute);
    CFileVersion version;
    if (versionText == nullptr || !version.Parse(versionText)) {
        return trDamaged;
    }
    return CheckVersion(version);
}

ETranslatorResult CXMLTranslator::Load() {
    const CXMLNode nameElement = m_document.FindChild(kNameElement);
    if (nameElement.IsEmpty()) {
        return trDamaged;
    }
    m_state.SetName(ReadName(NameElementText(nameElement).c_str()));
    return ReadChildren(m_document, m_state.GetRootActivity(), 0) ? trOK : trDamaged;
}

bool CXMLTranslator::ReadChildren(const CXMLNode& element, CActivity* activity, int depth) {
    if (depth > 0 && !ReadActivityAttributes(element, activity)) {
        return false;
    }
    activity->GetTallymarks().Clear();
    const int count = element.GetChildCount();
    for (int i = 0; i < count; ++i) {
        const CXMLNode child = element.GetChild(i);
        const char* name = child.GetName();
        if (name == nullptr) {
            continue;
        }
        if (std::strcmp(name, kTallymarkElement) == 0) {
            // Added also when it cannot be read: a failed load keeps what it had read.
            CTallymark* tallymark = new CTallymark(activity);
            const bool read = ReadTallymark(child, tallymark);
            activity->GetTallymarks().Add(tallymark);
            if (!read) {
                return false;
            }
        } else if (std::strcmp(name, kActivityElement) == 0) {
            if (depth >= kMaxActivityDepth) {
                return false;
            }
            CActivity* childActivity = new CActivity(&m_state, std::string(), false);
            activity->AddChildActivity(childActivity, -1);
            if (!ReadChildren(child, childActivity, depth + 1)) {
                return false;
            }
        }
    }
    return true;
}

bool CXMLTranslator::ReadActivityAttributes(const CXMLNode& element, CActivity* activity) const {
    const char* name = element.GetAttribute(kNameAttribute);
    if (name == nullptr) {
        return false;
    }
    // An activity without the flag is enabled, as every new activity is.
    bool enabled = true;
    const char* enabledText = element.GetAttribute(kEnabledAttribute);
    if (enabledText != nullptr && !ParseYesNoText(enabledText, enabled)) {
        return false;
    }
    activity->SetName(ReadName(name));
    activity->SetEnabled(enabled);
    return true;
}

bool CXMLTranslator::ReadTallymark(const CXMLNode& element, CTallymark* tallymark) {
    CDateTime start;
    if (!ParseFileDateTime(element.GetAttribute(kStartAttribute), start)) {
        return false;
    }
    tallymark->SetStart(start);
    const char* endText = element.GetAttribute(kEndAttribute);
    if (endText == nullptr) {
        // Running: the end stays the null date.
        return element.HasAttribute(kOpenAttribute);
    }
    CDateTime end;
    if (!ParseFileDateTime(endText, end)) {
        return false;
    }
    tallymark->SetEnd(end);
    return true;
}

std::string CXMLTranslator::ReadName(const char* text) const {
    if (!m_utf8) {
        return text != nullptr ? std::string(text) : std::string();
    }
    return m_converter.FromUtf8(text);
}

void CXMLTranslator::Save() {
    // Laid-out rendering needs white space dropped; the text is UTF-8. The document is
    // written as it goes, without a tree: a tree of a large project costs far more to
    // build and release than its text.
    CParserOptionsScope options(xenUTF8, true);
    std::string data;
    const std::size_t estimate = EstimateTextSize(m_state.GetRootActivity(), 0);
    data.reserve(estimate + estimate / 16);
    data.append(kByteOrderMark, kByteOrderMarkLength);
    CXMLStreamWriter writer(data, true);
    writer.WriteDeclaration(kDeclaration);
    const std::string version = CFileVersion::GetFormatVersion().GetText();
    const SXMLAttr rootAttributes[] = {{kVersionAttribute, version.c_str()}};
    writer.StartElement(kRootElement, rootAttributes, 1);
    writer.WriteTextElement(kNameElement, m_converter.ToUtf8(m_state.GetName()).c_str());
    // The root activity's own tally marks stand before the activities.
    CActivity* root = m_state.GetRootActivity();
    WriteTallymarks(writer, root);
    for (CActivity* child = root->GetFirstChild(); child != nullptr;
         child = child->GetNextSibling()) {
        WriteActivity(writer, child);
    }
    writer.EndElement();
    m_stream.SetData(data);
}

std::size_t CXMLTranslator::EstimateTextSize(CActivity* activity, int depth) {
    // A tally mark's line: its indent and about 64 bytes of tag; an activity's two lines:
    // their indents, about 56 bytes of tags and the name, which UTF-8 may grow.
    const std::size_t tallymarkLine = 66 + static_cast<std::size_t>(depth) + 1;
    std::size_t size = 256 + activity->GetTallymarks().GetCount() * tallymarkLine +
                       2 * activity->GetName().size() + 2 * static_cast<std::size_t>(depth);
    for (CActivity* child = activity->GetFirstChild(); child != nullptr;
         child = child->GetNextSibling()) {
        size += EstimateTextSize(child, depth + 1);
    }
    return size;
}

void CXMLTranslator::WriteActivity(CXMLStreamWriter& writer, CActivity* activity) const {
    const std::string name = m_converter.ToUtf8(activity->GetName());
    const SXMLAttr attributes[] = {{kEnabledAttribute, activity->IsEnabled() ? "true" : "false"},
                                   {kNameAttribute, name.c_str()}};
    writer.StartElement(kActivityElement, attributes, 2);
    WriteTallymarks(writer, activity);
    for (CActivity* child = activity->GetFirstChild(); child != nullptr;
         child = child->GetNextSibling()) {
        WriteActivity(writer, child);
    }
    writer.EndElement();
}

void CXMLTranslator::WriteTallymarks(CXMLStreamWriter& writer, CActivity* activity) {
    char start[kFileDateTimeSize];
    char end[kFileDateTimeSize];
    SXMLAttr attributes[] = {{kStartAttribute, start}, {kEndAttribute, end}};
    CTallymarks& tallymarks = activity->GetTallymarks();
    for (CTallymark* tallymark = tallymarks.GetFirst(); tallymark != nullptr;
         tallymark = tallymarks.GetNext()) {
        FormatFileDateTime(tallymark->GetStart(), start);
        if (tallymark->IsOpen()) {
            attributes[1] = SXMLAttr{kOpenAttribute, "true"};
        } else {
            FormatFileDateTime(tallymark->GetEnd(false), end);
            attributes[1] = SXMLAttr{kEndAttribute, end};
        }
        writer.WriteEmptyElement(kTallymarkElement, attributes, 2);
    }
}
