#pragma once

// Numbers from attribute values and texts, as atof, atol and atoi read them (a number
// out of range gives the nearest value that fits); a null or empty text gives
// `fallback`.
double TextToDouble(const char* text, double fallback = 0.0);
long TextToLong(const char* text, long fallback = 0);
int TextToInt(const char* text, int fallback = 0);
char TextToChar(const char* text, char fallback = 0);
