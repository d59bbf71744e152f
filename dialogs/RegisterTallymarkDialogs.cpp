#include "DialogRegistry.h"

void RegisterTallymarkDialogs() {}
