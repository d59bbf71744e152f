#pragma once

// CSettings: one INI settings file and the objects that keep their state in it.
//
// Objects are registered before the file is opened (only the objects registered at that
// moment load) and are not owned; they must outlive the container's last Open or Save.
// Opening runs every object's Load in registration order, saving runs every Save in the
// same order and then writes the file.
//
//   CSettings user;
//   user.Register(&view);
//   if (!user.OpenInSpecialFolder(true, "Tallymarks.ini")) {
//       // report user.GetFilePath() with GetLastError(); the objects hold their defaults
//   }
//   ...
//   user.Save();
//
// A container that was never opened successfully writes nothing: a settings file that
// exists but cannot be read (locked, access denied) is never replaced by defaults.

#include "library/settings/CINIFile.h"

#include <memory>
#include <string>
#include <vector>

class IPersistentObject;

class CSettings {
public:
    CSettings();
    virtual ~CSettings();
    CSettings(const CSettings&) = delete;
    CSettings& operator=(const CSettings&) = delete;

    // Appends an object (not owned); an object registered twice loads and saves twice.
    void Register(IPersistentObject* object);

    // Sets the folder and the file path (folder, "\", file name), reads the file and
    // loads every registered object from it. A missing file is no error: the objects load
    // from empty data. False when the file exists but could not be read whole; the
    // objects then load from empty data too, the container stays unopened and
    // GetLastError() tells why.
    bool Open(const std::string& folder, const std::string& fileName);
    // Open in the user's (perUser) or the common application-data folder, which must
    // exist. False when the shell cannot name the folder, when it does not exist, or when
    // Open fails; whenever the folder is known its path is set, so that a failure can name
    // the file. Every failure leaves the objects loaded from empty data and the container
    // unopened.
    bool OpenInSpecialFolder(bool perUser, const std::string& fileName);
    // As above, in the sub-folder of the special folder, which is created when missing
    // (one level: the special folder itself must exist).
    bool OpenInSpecialFolder(bool perUser, const std::string& subFolder,
                             const std::string& fileName);

    // True without doing anything while the container is unopened. Otherwise runs every
    // registered object's Save and writes the file; false when the file could not be
    // written whole.
    bool Save();

    bool IsOpen() const { return m_loaded; }
    const std::string& GetFilePath() const { return m_filePath; }
    const std::string& GetFolder() const { return m_folder; }

protected:
    // The path of the user's (perUser) or the common application-data folder, without a
    // final backslash; false when the shell cannot give it. Nothing is created.
    virtual bool GetSpecialFolder(bool perUser, std::string& folder) const;

private:
    void SetPaths(const std::string& folder, const std::string& fileName);
    // Loads every object from empty data and fails with the given system error code.
    bool FailOpen(unsigned long error);
    void LoadObjects();

    std::string m_folder;
    std::string m_filePath;
    std::unique_ptr<CINIFile> m_ini;
    bool m_loaded = false;
    std::vector<IPersistentObject*> m_objects;
};
