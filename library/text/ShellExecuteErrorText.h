#pragma once

#include <cstdint>

// The string-table id that explains the value a shell "open" request returned
// (ShellExecuteA's result, as a signed number): "no error" above 32, a specific
// explanation for the documented error values, "unknown error" otherwise.
unsigned int GetShellExecuteErrorTextId(intptr_t result);
