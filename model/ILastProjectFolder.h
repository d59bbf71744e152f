#pragma once
#include <string>

// Where the project file dialog starts: the folder in which a project file was last chosen.
// The application keeps it with its open-projects settings and installs that keeper with
// SetCurrent; until then (and in tests) a keeper that remembers the folder in memory serves.
class ILastProjectFolder {
public:
    virtual ~ILastProjectFolder() = default;
    // The folder, or empty when none was chosen yet.
    virtual std::string GetLastPath() const = 0;
    // Remembers the folder of the given file path.
    virtual void SetLastPathFromFile(const std::string& filePath) = 0;

    // The keeper in use; never null.
    static ILastProjectFolder& GetCurrent();
    // Not owned; must outlive its use. Null puts back the in-memory keeper.
    static void SetCurrent(ILastProjectFolder* keeper);
};
