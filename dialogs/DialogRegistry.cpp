#include "DialogRegistry.h"

void RegisterDialogs() {
    RegisterTallymarkDialogs();
    RegisterManageTallymarksDialogs();
    RegisterManageActivitiesDialogs();
    RegisterInfoDialogs();
    RegisterProjectPropertiesDialogs();
    RegisterSettingsDialogs();
    RegisterExchangeDialogs();
}
