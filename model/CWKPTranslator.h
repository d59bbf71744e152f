#pragma once

// CWKPTranslator: the binary project file (".wkp").

#include "model/CTranslator.h"

class CWKPTranslator : public CTranslator {
public:
    CWKPTranslator(CProjectState& state, CDataStream& stream)
        : CTranslator(state, stream, pffBinary) {}
    ~CWKPTranslator() override = default;

    ETranslatorResult Load() override;
    void Save() override;
    ETranslatorResult Identify() override;
};
