#pragma once

// CTranslator: reads a project file's bytes into a project state, or writes a state
// into bytes, in one format. A translator is bound to one state and one stream (both
// not owned) and lives for one load or one save:
//
//   CTranslator* translator = nullptr;
//   if (CTranslator::Detect(state, stream, translator) == trOK) result = translator->Load();
//   delete translator;                       // always set on return, also on failure
//
//   std::unique_ptr<CTranslator> writer(CTranslator::Create(state, pffXML, stream));
//   if (writer) writer->Save();              // null for a format that does not exist
//
// Translators report only through their results and show nothing; Save throws
// std::bad_alloc when memory runs out while it renders, before the caller writes a byte.

#include "model/CFileVersion.h"
#include "model/EProjectFileFormat.h"
#include "model/ETranslatorResult.h"

#include <string>

class CDataStream;
class CProjectState;

class CTranslator {
public:
    virtual ~CTranslator() = default;
    CTranslator(const CTranslator&) = delete;
    CTranslator& operator=(const CTranslator&) = delete;

    // Reads the content into the state; only after Identify gave trOK. trOK or trDamaged.
    virtual ETranslatorResult Load() = 0;
    // Writes the whole state into the stream.
    virtual void Save() = 0;
    // Recognises the format from the stream's read position and checks the file's
    // version against the program's; leaves the translator ready for Load.
    virtual ETranslatorResult Identify() = 0;

    EProjectFileFormat GetFormat() const { return m_format; }
    std::string GetVersionReadText() const { return m_versionRead.GetText(); }

    // A translator of that format, or null for a value that is no format.
    static CTranslator* Create(CProjectState& state, int format, CDataStream& stream);
    // Tries the binary format, then XML, on a stream that holds a whole file (read
    // position 0). The out parameter always holds a translator on return, the
    // binary one unless the stream was not binary at all.
    static ETranslatorResult Detect(CProjectState& state, CDataStream& stream,
                                    CTranslator*& translator);

protected:
    CTranslator(CProjectState& state, CDataStream& stream, EProjectFileFormat format)
        : m_state(state), m_stream(stream), m_format(format) {}

    // Stores the file's version and answers whether the program can read it.
    ETranslatorResult CheckVersion(const CFileVersion& version) {
        m_versionRead = version;
        return version.IsSupported() ? trOK : trNewerVersion;
    }

    CProjectState& m_state;
    CDataStream& m_stream;

private:
    EProjectFileFormat m_format;
    CFileVersion m_versionRead;
};
