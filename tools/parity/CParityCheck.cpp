#include "CParityCheck.h"

#include <algorithm>
#include <cstdlib>
#include <cstdio>

namespace {

const char kProgramName[] = "Tallymarks";

std::string Hex(DWORD value) {
    char text[16];
    snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value));
    return text;
}

std::string Join(const std::vector<std::string>& items) {
    std::string result;
    for (const std::string& item : items) {
        result += result.empty() ? item : " " + item;
    }
    return result.empty() ? "none" : result;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

std::vector<std::string> CParityCheck::Placeholders(const std::string& text) {
    std::vector<std::string> result;
    size_t start = text.find('[');
    while (start != std::string::npos) {
        const size_t end = text.find(']', start + 1);
        if (end == std::string::npos) {
            break;
        }
        const std::string inner = text.substr(start + 1, end - start - 1);
        const bool marker = !inner.empty() && std::all_of(inner.begin(), inner.end(), [](char c) {
            return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        });
        if (marker) {
            result.push_back("[" + inner + "]");
            start = text.find('[', end + 1);
        } else {
            start = text.find('[', start + 1);
        }
    }
    std::sort(result.begin(), result.end());
    return result;
}

size_t CParityCheck::LeadingLineBreaks(const std::string& text) {
    const size_t first = text.find_first_not_of("\r\n");
    const auto end =
        first == std::string::npos ? text.end() : text.begin() + static_cast<std::ptrdiff_t>(first);
    return static_cast<size_t>(std::count(text.begin(), end, '\n'));
}

void CParityCheck::CompareText(const std::string& where, const std::string& english,
                               const std::string& dutch) {
    const std::vector<std::string> expected = Placeholders(english);
    const std::vector<std::string> found = Placeholders(dutch);
    if (expected != found) {
        Add(where + ": placeholders " + Join(found) + " instead of " + Join(expected));
    }
    if (LeadingLineBreaks(english) != LeadingLineBreaks(dutch)) {
        Add(where + ": " + std::to_string(LeadingLineBreaks(dutch)) +
            " leading line breaks instead of " + std::to_string(LeadingLineBreaks(english)));
    }
    const std::string prefix = std::string(kProgramName) + " - ";
    if (english.compare(0, prefix.size(), prefix) == 0 && dutch.compare(0, prefix.size(), prefix)) {
        Add(where + ": does not begin with \"" + prefix + "\"");
    } else if (Contains(english, kProgramName) && !Contains(dutch, kProgramName)) {
        Add(where + ": the program name is missing");
    }
}

void CParityCheck::CompareStrings() {
    for (const auto& entry : m_program.strings) {
        const std::string where = "string " + std::to_string(entry.first);
        const auto dutch = m_module.strings.find(entry.first);
        if (dutch == m_module.strings.end()) {
            Add(where + ": missing");
        } else {
            CompareText(where, entry.second, dutch->second);
        }
    }
    for (const auto& entry : m_module.strings) {
        if (m_program.strings.count(entry.first) == 0) {
            Add("string " + std::to_string(entry.first) + ": extra");
        }
    }
}

void CParityCheck::CompareDialog(unsigned id, const SDialogTemplate& english,
                                 const SDialogTemplate& dutch) {
    const std::string where = "dialog " + std::to_string(id);
    if (english.extended != dutch.extended) {
        Add(where + ": " + (dutch.extended ? "extended" : "plain") + " template instead of " +
            (english.extended ? "extended" : "plain"));
    }
    if (english.style != dutch.style || english.exStyle != dutch.exStyle) {
        Add(where + ": style " + Hex(dutch.style) + "/" + Hex(dutch.exStyle) + " instead of " +
            Hex(english.style) + "/" + Hex(english.exStyle));
    }
    if (english.className != dutch.className) {
        Add(where + ": window class \"" + dutch.className + "\" instead of \"" + english.className +
            "\"");
    }
    if (english.menu != dutch.menu) {
        Add(where + ": menu \"" + dutch.menu + "\" instead of \"" + english.menu + "\"");
    }
    if (english.fontName != dutch.fontName || english.fontSize != dutch.fontSize) {
        Add(where + ": font " + dutch.fontName + " " + std::to_string(dutch.fontSize) +
            " instead of " + english.fontName + " " + std::to_string(english.fontSize));
    }
    CompareText(where + " caption", english.caption, dutch.caption);

    // Controls match by identifier; controls sharing one (the unnamed labels) by order.
    std::vector<bool> used(dutch.controls.size(), false);
    for (const SDialogControl& control : english.controls) {
        const std::string name = where + " control " + std::to_string(control.id);
        size_t match = 0;
        while (match < dutch.controls.size() &&
               (used[match] || dutch.controls[match].id != control.id)) {
            ++match;
        }
        if (match == dutch.controls.size()) {
            Add(name + " (" + control.className + " \"" + control.text + "\"): missing");
            continue;
        }
        used[match] = true;
        const SDialogControl& other = dutch.controls[match];
        if (other.className != control.className) {
            Add(name + ": class " + other.className + " instead of " + control.className);
        }
        if (other.style != control.style || other.exStyle != control.exStyle) {
            Add(name + ": style " + Hex(other.style) + "/" + Hex(other.exStyle) + " instead of " +
                Hex(control.style) + "/" + Hex(control.exStyle));
        }
        if (control.text.empty() != other.text.empty()) {
            Add(name + ": text \"" + other.text + "\" where the program has \"" + control.text +
                "\"");
        }
        CompareText(name, control.text, other.text);
    }
    for (size_t i = 0; i < dutch.controls.size(); ++i) {
        if (!used[i]) {
            Add(where + " control " + std::to_string(dutch.controls[i].id) + " (" +
                dutch.controls[i].className + " \"" + dutch.controls[i].text + "\"): extra");
        }
    }
}

void CParityCheck::CompareDialogs() {
    for (const auto& entry : m_program.dialogs) {
        const auto dutch = m_module.dialogs.find(entry.first);
        if (dutch == m_module.dialogs.end()) {
            Add("dialog " + std::to_string(entry.first) + " (\"" + entry.second.caption +
                "\"): missing");
        } else {
            CompareDialog(entry.first, entry.second, dutch->second);
        }
    }
    for (const auto& entry : m_module.dialogs) {
        if (m_program.dialogs.count(entry.first) == 0) {
            Add("dialog " + std::to_string(entry.first) + ": extra");
        }
    }
}

void CParityCheck::CompareMenus() {
    for (const auto& entry : m_program.menus) {
        const std::string where = "menu " + std::to_string(entry.first);
        const auto found = m_module.menus.find(entry.first);
        if (found == m_module.menus.end()) {
            Add(where + ": missing");
            continue;
        }
        const std::vector<SMenuItem>& english = entry.second;
        const std::vector<SMenuItem>& dutch = found->second;
        for (size_t i = 0; i < std::max(english.size(), dutch.size()); ++i) {
            const std::string item = where + " item " + std::to_string(i + 1);
            if (i >= dutch.size()) {
                Add(item + " (\"" + english[i].text + "\"): missing");
                continue;
            }
            if (i >= english.size()) {
                Add(item + " (\"" + dutch[i].text + "\"): extra");
                continue;
            }
            const SMenuItem& a = english[i];
            const SMenuItem& b = dutch[i];
            if (a.depth != b.depth || a.id != b.id || a.flags != b.flags) {
                Add(item + " (\"" + b.text + "\"): command " + std::to_string(b.id) + " flags " +
                    Hex(b.flags) + " level " + std::to_string(b.depth) + " instead of \"" + a.text +
                    "\" command " + std::to_string(a.id) + " flags " + Hex(a.flags) + " level " +
                    std::to_string(a.depth));
                continue;
            }
            if (a.text.empty() != b.text.empty() ||
                Contains(a.text, "\t") != Contains(b.text, "\t")) {
                Add(item + ": text \"" + b.text + "\" where the program has \"" + a.text + "\"");
            }
            CompareText(item, a.text, b.text);
        }
    }
    for (const auto& entry : m_module.menus) {
        if (m_program.menus.count(entry.first) == 0) {
            Add("menu " + std::to_string(entry.first) + ": extra");
        }
    }
}

void CParityCheck::CompareData() {
    const auto number = [](const std::vector<unsigned char>& bytes) {
        return static_cast<short>(bytes[0] | (bytes[1] << 8));
    };
    for (const auto& entry : m_program.data) {
        const std::string where = "layout number " + std::to_string(entry.first);
        const auto found = m_module.data.find(entry.first);
        if (found == m_module.data.end()) {
            Add(where + ": missing");
        } else if (found->second.size() < 2) {
            Add(where + ": shorter than 2 bytes");
        } else if (entry.second.size() >= 2) {
            // A translation's words are rarely shorter: its column may be wider, never
            // narrower, and the column that takes the rest of the list stays that one.
            const int english = number(entry.second);
            const int translated = number(found->second);
            if ((english < 0) != (translated < 0)) {
                Add(where + ": " + std::to_string(translated) + " where the program has " +
                    std::to_string(english) + " (" +
                    (english < 0 ? "the column that takes the rest of the list"
                                 : "a column of its own width") +
                    ")");
            } else if (std::abs(translated) < std::abs(english)) {
                Add(where + ": " + std::to_string(translated) + " is narrower than the program's " +
                    std::to_string(english));
            }
        }
    }
    for (const auto& entry : m_module.data) {
        if (m_program.data.count(entry.first) == 0) {
            Add("layout number " + std::to_string(entry.first) + ": extra");
        }
    }
}

void CParityCheck::CheckTypes() {
    // Kinds that always come from the program.
    static const struct {
        ULONG_PTR type;
        const char* name;
    } kinds[] = {{1, "cursor"},        {2, "bitmap"},      {3, "icon"},     {9, "accelerator"},
                 {12, "cursor group"}, {14, "icon group"}, {16, "version"}, {24, "manifest"}};
    for (const auto& kind : kinds) {
        const auto found = m_module.otherTypes.find("#" + std::to_string(kind.type));
        if (found != m_module.otherTypes.end()) {
            Add(std::string(kind.name) + " resource in the module (" +
                std::to_string(found->second) + "): only the program may carry it");
        }
    }
}

void CParityCheck::CheckExports() {
    // The entry routine and nothing else: the program never looks a function up.
    if (m_module.exports != std::vector<std::string>{"DllMain"}) {
        Add("exports " + Join(m_module.exports) + " instead of DllMain alone");
    }
}

std::vector<std::string> CParityCheck::Run() {
    m_findings.clear();
    CompareStrings();
    CompareDialogs();
    CompareMenus();
    CompareData();
    CheckTypes();
    CheckExports();
    return m_findings;
}
