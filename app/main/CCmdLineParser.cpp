#include "app/main/CCmdLineParser.h"

CCmdLineResult CCmdLineParser::ProcessArgument(CArguments::const_iterator current,
                                               CArguments::const_iterator end) {
    CCmdLineResult result;
    if (current == end || current->isOption) {
        result.success = false;
        return result;
    }
    if (!m_hasFile) {
        m_file = current->text;
        m_hasFile = true;
    }
    return result;
}
