#pragma once

// Text rules shared by the INI classes: names are compared by their ASCII lower-cased
// form, and lines, names and values are trimmed of blanks and tabs only.

#include <string>

std::string ToLowerASCII(std::string text);
std::string TrimBlanksAndTabs(const std::string& text);
