#pragma once
#include "model/ILastProjectFolder.h"

#include <string>

// Keeps the last project folder for the life of the object only.
class CMemoryLastProjectFolder : public ILastProjectFolder {
public:
    std::string GetLastPath() const override { return m_folder; }
    // The text up to its last backslash or slash; a bare file name gives no folder.
    void SetLastPathFromFile(const std::string& filePath) override;

private:
    std::string m_folder;
};
