#include "xmlParser/CXMLCharTable.h"

#include "xmlParser/SXMLOptions.h"

CXMLCharTable::CXMLCharTable(EXMLEncoding encoding) {
    for (int c = 0; c < 256; ++c) {
        unsigned char length = 1;
        bool trail = false;
        if (encoding == xenUTF8) {
            length = c >= 0xF0 && c <= 0xF4   ? 4
                     : c >= 0xE0 && c <= 0xEF ? 3
                     : c >= 0xC2 && c <= 0xDF ? 2
                                              : 1;
            trail = c >= 0x80 && c <= 0xBF;
        } else if (encoding == xenShiftJIS) {
            length = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xEF) ? 2 : 1;
            trail = (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
        }
        m_lengths[c] = length;
        m_trail[c] = trail;
    }
}

const CXMLCharTable& CXMLCharTable::For(EXMLEncoding encoding) {
    static const CXMLCharTable utf8(xenUTF8);
    static const CXMLCharTable legacy(xenLegacy);
    static const CXMLCharTable shiftJIS(xenShiftJIS);
    switch (encoding) {
    case xenUTF8:
        return utf8;
    case xenShiftJIS:
        return shiftJIS;
    default:
        return legacy;
    }
}

const CXMLCharTable& CXMLCharTable::Current() {
    return For(SXMLOptions::Current().encoding);
}
