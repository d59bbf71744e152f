#include "DialogRegistry.h"

void RegisterManageTallymarksDialogs() {}
