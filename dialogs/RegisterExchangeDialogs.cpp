#include "DialogRegistry.h"

void RegisterExchangeDialogs() {}
