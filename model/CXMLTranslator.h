#pragma once

// CXMLTranslator: the XML project file (".xml").
//
// The file is UTF-8 with a byte-order mark, as its declaration says; names, held in the
// program's code page, are converted on the way in and out. A file that is not valid
// UTF-8 is read in the program's code page, without conversion. Dates are the tally
// marks' universal times, written "YYYY-MM-DD hh:mm:ss" and never shifted. Activity trees
// deeper than kMaxActivityDepth (ProjectFileLimits.h) are refused as damaged.

#include "model/CTranslator.h"
#include "model/CUtf8TextConverter.h"
#include "xmlParser/CXMLNode.h"

#include <cstddef>

class CActivity;
class CXMLStreamWriter;
class CTallymark;

class CXMLTranslator : public CTranslator {
public:
    // nameCodePage: the code page of the names in the state; 0 (CP_ACP), the system's
    // ANSI code page, is the program's.
    CXMLTranslator(CProjectState& state, CDataStream& stream, unsigned int nameCodePage = 0)
        : CTranslator(state, stream, pffXML), m_converter(nameCodePage) {}
    ~CXMLTranslator() override = default;

    ETranslatorResult Load() override;
    void Save() override;
    // trDamaged also for a file that breaks off or leaves elements unclosed: what such a
    // file holds is incomplete.
    ETranslatorResult Identify() override;

private:
    // The element's "Tallymark" and "Activity" children into activity (whose own name and
    // flag are read from the element unless it is the root).
    bool ReadChildren(const CXMLNode& element, CActivity* activity, int depth);
    bool ReadActivityAttributes(const CXMLNode& element, CActivity* activity) const;
    static bool ReadTallymark(const CXMLNode& element, CTallymark* tallymark);
    // The name as the state holds it.
    std::string ReadName(const char* text) const;
    // About the length of the text that Save writes for the activity and its subtree,
    // so that the text is not copied while it grows.
    static std::size_t EstimateTextSize(CActivity* activity, int depth);
    void WriteActivity(CXMLStreamWriter& writer, CActivity* activity) const;
    static void WriteTallymarks(CXMLStreamWriter& writer, CActivity* activity);

    CUtf8TextConverter m_converter;
    CXMLNode m_document; // the root element, found by Identify
    bool m_utf8 = true;  // the document's names are UTF-8
};
