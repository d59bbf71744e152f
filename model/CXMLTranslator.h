#pragma once

// CXMLTranslator: the XML project file (".xml").

#include "model/CTranslator.h"
#include "xmlParser/CXMLNode.h"

class CXMLTranslator : public CTranslator {
public:
    CXMLTranslator(CProjectState& state, CDataStream& stream)
        : CTranslator(state, stream, pffXML) {}
    ~CXMLTranslator() override = default;

    ETranslatorResult Load() override;
    void Save() override;
    ETranslatorResult Identify() override;

private:
    CXMLNode m_document; // the root element, found by Identify
};
