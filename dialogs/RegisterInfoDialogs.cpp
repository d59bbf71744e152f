#include "DialogRegistry.h"

void RegisterInfoDialogs() {}
