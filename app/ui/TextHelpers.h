#pragma once

// Small text and file-name helpers of the windows and dialogs. Paths are Windows
// paths: the file name is the part behind the last backslash.

#include <string>

// Reads a yes/no text by its first character: "0", "F", "N", "f", "n" give false,
// "1", "T", "Y", "t", "y" give true; answers whether it was recognised. Anything else
// (also an empty text) sets value to defaultValue and answers false.
bool ParseBoolText(const std::string& text, bool defaultValue, bool& value);

// Appends ", " and the item to a list text, or only the item to an empty one.
void AppendCommaSeparated(std::string& list, const std::string& item);

// A menu shows "&" as an underline under the next character: the copy doubles each one,
// so that a project or activity name reads in a menu as it was typed.
std::string EscapeMenuText(const std::string& text);

// Replaces every occurrence of `from` by `to`.
void ReplaceChar(std::string& text, char from, char to);

// A copy in which each character that a file name cannot hold (\ / " ? : * < > |)
// is replaced by "_".
std::string MakeFileNameSafe(const std::string& text);

// The index just behind the last dot of the file name, or -1 when the file name
// has no dot (a dot in a folder name does not count). For a name ending in a dot
// this is the path's length.
int GetExtensionStart(const std::string& path);
// The text behind that dot; empty when there is none or the name ends in the dot.
std::string GetFileExtension(const std::string& path);
// Appends "." and the extension when GetFileExtension finds none.
void AddDefaultExtension(std::string& path, const std::string& extension);

// Whether something exists at the path.
bool FileExists(const std::string& path);
