#pragma once

// Text helpers of the report generator.
//
// Values inserted into a report must never be taken for template markers later on. While a
// report is built, every "[" of an inserted value is held as the pair "\x01\x02" (and every
// "\x01" byte, of the template or a value, as "\x01\x01"); markers all begin with "[", so
// no search finds one inside a value. RestoreValues turns the pairs back at the end.

#include <string>

namespace reporttext {

// A value as it is inserted into the text under construction.
std::string ProtectValue(const std::string& value);
// The template's own text as the construction starts from it.
std::string ProtectTemplate(const std::string& content);
// The finished text with every pair turned back into its byte.
std::string RestoreValues(std::string text);

// Replaces every occurrence of placeholder in text by value, each search continuing
// behind the text just inserted. An empty placeholder changes nothing.
void ReplaceAll(std::string& text, const std::string& placeholder, const std::string& value);

} // namespace reporttext
