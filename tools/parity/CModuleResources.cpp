#include "CModuleResources.h"

#include "CModuleExports.h"

#include <cstring>

namespace {

// A bounded reader of a resource's little-endian words and UTF-16 texts.
class CReader {
public:
    CReader(const unsigned char* bytes, size_t size) : m_bytes(bytes), m_size(size) {}

    bool Ok() const { return m_ok; }
    size_t Position() const { return m_position; }
    bool AtEnd() const { return m_position >= m_size; }

    unsigned Word() {
        if (m_position + 2 > m_size) {
            m_ok = false;
            return 0;
        }
        const unsigned value = m_bytes[m_position] | (m_bytes[m_position + 1] << 8);
        m_position += 2;
        return value;
    }
    DWORD DoubleWord() {
        const DWORD low = Word();
        return low | (static_cast<DWORD>(Word()) << 16);
    }
    short Short() { return static_cast<short>(Word()); }
    void Skip(size_t count) {
        if (m_position + count > m_size) {
            m_ok = false;
            m_position = m_size;
        } else {
            m_position += count;
        }
    }
    void Align(size_t unit) {
        const size_t rest = m_position % unit;
        if (rest != 0) {
            Skip(unit - rest);
        }
    }
    // A zero-ended UTF-16 text, in Windows-1252.
    std::string Text() {
        std::wstring wide;
        for (;;) {
            const unsigned unit = Word();
            if (!m_ok || unit == 0) {
                break;
            }
            wide.push_back(static_cast<wchar_t>(unit));
        }
        return Narrow(wide);
    }
    // A name or ordinal field: "" for none, "#n" for an ordinal, else the name.
    std::string NameOrOrdinal() {
        const unsigned first = Word();
        if (first == 0) {
            return std::string();
        }
        if (first == 0xFFFF) {
            return "#" + std::to_string(Word());
        }
        m_position -= 2;
        return Text();
    }

    static std::string Narrow(const std::wstring& wide) {
        if (wide.empty()) {
            return std::string();
        }
        const int length = WideCharToMultiByte(1252, 0, wide.data(), static_cast<int>(wide.size()),
                                               nullptr, 0, nullptr, nullptr);
        std::string result(static_cast<size_t>(length), '\0');
        WideCharToMultiByte(1252, 0, wide.data(), static_cast<int>(wide.size()), &result[0], length,
                            nullptr, nullptr);
        return result;
    }

private:
    const unsigned char* m_bytes;
    size_t m_size;
    size_t m_position = 0;
    bool m_ok = true;
};

std::string ClassName(const std::string& field) {
    static const char* const predefined[] = {"BUTTON",  "EDIT",      "STATIC",
                                             "LISTBOX", "SCROLLBAR", "COMBOBOX"};
    if (!field.empty() && field[0] == '#') {
        const unsigned ordinal = static_cast<unsigned>(std::stoul(field.substr(1)));
        if (ordinal >= 0x80 && ordinal <= 0x85) {
            return predefined[ordinal - 0x80];
        }
        return field;
    }
    std::string upper = field;
    for (char& c : upper) {
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    }
    return upper;
}

BOOL CALLBACK AddId(HMODULE, LPCSTR, LPSTR name, LONG_PTR list) {
    if (IS_INTRESOURCE(name)) {
        reinterpret_cast<std::vector<unsigned>*>(list)->push_back(
            static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(name)));
    }
    return TRUE;
}

BOOL CALLBACK CountType(HMODULE module, LPSTR type, LONG_PTR counts) {
    std::string name = IS_INTRESOURCE(type)
                           ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(type))
                           : std::string(type);
    std::vector<unsigned> ids;
    EnumResourceNamesA(module, type, AddId, reinterpret_cast<LONG_PTR>(&ids));
    (*reinterpret_cast<std::map<std::string, int>*>(counts))[name] =
        ids.empty() ? 1 : static_cast<int>(ids.size());
    return TRUE;
}

} // namespace

CModuleResources::~CModuleResources() {
    if (m_module != nullptr) {
        FreeLibrary(m_module);
    }
}

std::vector<unsigned> CModuleResources::ListIds(LPCSTR type) const {
    std::vector<unsigned> ids;
    EnumResourceNamesA(m_module, type, AddId, reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

bool CModuleResources::ReadResource(LPCSTR type, LPCSTR name,
                                    std::vector<unsigned char>& bytes) const {
    HRSRC info = FindResourceA(m_module, name, type);
    HGLOBAL loaded = info != nullptr ? LoadResource(m_module, info) : nullptr;
    const void* start = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (start == nullptr) {
        return false;
    }
    const unsigned char* first = static_cast<const unsigned char*>(start);
    bytes.assign(first, first + SizeofResource(m_module, info));
    return true;
}

bool CModuleResources::Load(const std::string& path) {
    m_module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (m_module == nullptr) {
        m_error = "cannot be read (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    std::vector<unsigned char> bytes;
    for (unsigned block : ListIds(RT_STRING)) {
        if (!ReadResource(RT_STRING, MAKEINTRESOURCEA(block), bytes)) {
            continue;
        }
        CReader reader(bytes.data(), bytes.size());
        for (unsigned index = 0; index < 16 && reader.Ok(); ++index) {
            const unsigned length = reader.Word();
            std::wstring wide;
            for (unsigned i = 0; i < length && reader.Ok(); ++i) {
                wide.push_back(static_cast<wchar_t>(reader.Word()));
            }
            if (reader.Ok() && length > 0) {
                strings[(block - 1) * 16 + index] = CReader::Narrow(wide);
            }
        }
    }
    for (unsigned id : ListIds(RT_DIALOG)) {
        SDialogTemplate dialog;
        if (ReadResource(RT_DIALOG, MAKEINTRESOURCEA(id), bytes) &&
            ParseDialog(bytes.data(), bytes.size(), dialog)) {
            dialogs[id] = dialog;
        } else {
            m_error += "dialog " + std::to_string(id) + " cannot be read; ";
        }
    }
    for (unsigned id : ListIds(RT_MENU)) {
        std::vector<SMenuItem> items;
        if (ReadResource(RT_MENU, MAKEINTRESOURCEA(id), bytes) &&
            ParseMenu(bytes.data(), bytes.size(), items)) {
            menus[id] = items;
        } else {
            m_error += "menu " + std::to_string(id) + " cannot be read; ";
        }
    }
    for (unsigned id : ListIds(RT_RCDATA)) {
        if (ReadResource(RT_RCDATA, MAKEINTRESOURCEA(id), bytes)) {
            data[id] = bytes;
        }
    }
    EnumResourceTypesA(m_module, CountType, reinterpret_cast<LONG_PTR>(&otherTypes));
    std::string exportError;
    if (!CModuleExports::Read(path, exports, exportError)) {
        m_error += "exports: " + exportError + "; ";
    }
    return m_error.empty();
}

bool CModuleResources::ParseDialog(const unsigned char* bytes, size_t size,
                                   SDialogTemplate& result) {
    CReader reader(bytes, size);
    unsigned count = 0;
    result.extended = size >= 4 && bytes[2] == 0xFF && bytes[3] == 0xFF;
    if (result.extended) {
        reader.Skip(8); // version, signature, help id
        result.exStyle = reader.DoubleWord();
        result.style = reader.DoubleWord();
    } else {
        result.style = reader.DoubleWord();
        result.exStyle = reader.DoubleWord();
    }
    count = reader.Word();
    reader.Skip(4); // x, y
    result.cx = reader.Short();
    result.cy = reader.Short();
    result.menu = reader.NameOrOrdinal();
    result.className = ClassName(reader.NameOrOrdinal());
    result.caption = reader.NameOrOrdinal();
    if (result.style & (DS_SETFONT | DS_SHELLFONT)) {
        result.fontSize = static_cast<int>(reader.Word());
        if (result.extended) {
            reader.Skip(4); // weight, italic, character set
        }
        result.fontName = reader.Text();
    }
    for (unsigned i = 0; i < count && reader.Ok(); ++i) {
        reader.Align(4);
        SDialogControl control;
        if (result.extended) {
            reader.Skip(4); // help id
            control.exStyle = reader.DoubleWord();
            control.style = reader.DoubleWord();
        } else {
            control.style = reader.DoubleWord();
            control.exStyle = reader.DoubleWord();
        }
        control.x = reader.Short();
        control.y = reader.Short();
        control.cx = reader.Short();
        control.cy = reader.Short();
        control.id = result.extended ? reader.DoubleWord() : reader.Word();
        control.id &= 0xFFFF;
        control.className = ClassName(reader.NameOrOrdinal());
        control.text = reader.NameOrOrdinal();
        reader.Skip(reader.Word()); // creation data
        result.controls.push_back(control);
    }
    return reader.Ok();
}

bool CModuleResources::ParseMenu(const unsigned char* bytes, size_t size,
                                 std::vector<SMenuItem>& result) {
    CReader reader(bytes, size);
    if (reader.Word() != 0) {
        return false; // only the plain menu form
    }
    reader.Skip(reader.Word());
    int depth = 0;
    // Per level: whether the level's last item has been read.
    std::vector<bool> open;
    open.push_back(true);
    while (reader.Ok() && !open.empty() && !reader.AtEnd()) {
        SMenuItem item;
        item.depth = depth;
        const unsigned flags = reader.Word();
        if (!(flags & MF_POPUP)) {
            item.id = reader.Word();
        }
        item.text = reader.Text();
        item.flags = flags & ~static_cast<unsigned>(MF_END);
        result.push_back(item);
        if (flags & MF_END) {
            open.back() = false;
        }
        if (flags & MF_POPUP) {
            open.push_back(true);
            ++depth;
            continue;
        }
        while (!open.empty() && !open.back()) {
            open.pop_back();
            --depth;
        }
    }
    return reader.Ok() && open.empty();
}
