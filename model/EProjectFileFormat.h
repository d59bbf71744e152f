#pragma once

// The two formats of a project file. No other value is a format.
enum EProjectFileFormat : int {
    pffBinary = 1, // "*.wkp"
    pffXML = 2,    // "*.xml"
};
