#include "model/CTranslator.h"

#include "library/files/CDataStream.h"
#include "model/CWKPTranslator.h"
#include "model/CXMLTranslator.h"

CTranslator* CTranslator::Create(CProjectState& state, int format, CDataStream& stream) {
    switch (format) {
    case pffBinary:
        return new CWKPTranslator(state, stream);
    case pffXML:
        return new CXMLTranslator(state, stream);
    default:
        return nullptr;
    }
}

ETranslatorResult CTranslator::Detect(CProjectState& state, CDataStream& stream,
                                      CTranslator*& translator) {
    translator = new CWKPTranslator(state, stream);
    const ETranslatorResult result = translator->Identify();
    if (result != trNotThisFormat) {
        return result;
    }
    stream.Rewind();
    delete translator;
    translator = nullptr;
    translator = new CXMLTranslator(state, stream);
    return translator->Identify();
}
