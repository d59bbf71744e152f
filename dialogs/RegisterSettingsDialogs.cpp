#include "DialogRegistry.h"

void RegisterSettingsDialogs() {}
