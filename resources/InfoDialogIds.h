#pragma once

// Identifiers of the tip of the day, about and project statistics dialogs.
