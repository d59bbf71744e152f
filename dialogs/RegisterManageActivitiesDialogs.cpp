#include "DialogRegistry.h"

void RegisterManageActivitiesDialogs() {}
