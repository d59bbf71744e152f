#include "model/CMemoryLastProjectFolder.h"

void CMemoryLastProjectFolder::SetLastPathFromFile(const std::string& filePath) {
    const size_t slash = filePath.find_last_of("\\/");
    m_folder = slash == std::string::npos ? std::string() : filePath.substr(0, slash);
}
