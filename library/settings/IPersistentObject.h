#pragma once

class CINIFile;

// IPersistentObject: an object that keeps its state in sections and keys of an INI
// settings file. A CSettings container calls Load after it has read the file and Save
// before it writes the file; the object touches only its own keys.
class IPersistentObject {
public:
    // Reads the object's keys. Must leave the object valid whatever the data holds:
    // missing, empty, unparsable or out-of-range values give their defaults.
    virtual void Load(CINIFile& ini) = 0;
    // Writes the object's keys.
    virtual void Save(CINIFile& ini) = 0;
    virtual ~IPersistentObject() = default;
};
