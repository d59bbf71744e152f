#include "DialogRegistry.h"

void RegisterProjectPropertiesDialogs() {}
