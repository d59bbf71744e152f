#pragma once

// The user-interface resources of one module (the program or a language module), read
// from its file as data: nothing of it runs.

#include <windows.h>

#include <map>
#include <string>
#include <vector>

struct SDialogControl {
    unsigned id = 0;
    std::string className; // upper case; a predefined class by its name ("BUTTON")
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string text;
    short x = 0, y = 0, cx = 0, cy = 0;
};

struct SDialogTemplate {
    bool extended = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string menu; // "#200" for an ordinal
    std::string className;
    std::string caption;
    std::string fontName;
    int fontSize = 0;
    short cx = 0, cy = 0;
    std::vector<SDialogControl> controls;
};

struct SMenuItem {
    int depth = 0;
    unsigned id = 0;
    unsigned flags = 0; // MF_* bits of the template, MF_END excepted
    std::string text;
};

class CModuleResources {
public:
    // Loads path as a data file; false (with error set) when it cannot be read.
    bool Load(const std::string& path);
    const std::string& GetError() const { return m_error; }
    HMODULE GetHandle() const { return m_module; }
    ~CModuleResources();

    std::map<unsigned, std::string> strings; // in Windows-1252, empty texts left out
    std::map<unsigned, SDialogTemplate> dialogs;
    std::map<unsigned, std::vector<SMenuItem>> menus;
    std::map<unsigned, std::vector<unsigned char>> data; // RCDATA
    std::map<std::string, int> otherTypes;               // resource kind name -> count
    std::vector<std::string> exports;                    // exported names, in table order

    // Parses one dialog template; false when it is cut short.
    static bool ParseDialog(const unsigned char* bytes, size_t size, SDialogTemplate& result);
    // Parses one menu template into a flat list in order; false when it is cut short.
    static bool ParseMenu(const unsigned char* bytes, size_t size, std::vector<SMenuItem>& result);

private:
    bool ReadResource(LPCSTR type, LPCSTR name, std::vector<unsigned char>& bytes) const;
    std::vector<unsigned> ListIds(LPCSTR type) const;

    HMODULE m_module = nullptr;
    std::string m_error;
};
