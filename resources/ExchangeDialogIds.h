#pragma once

// Identifiers of the detected inactivity and the import and export dialogs.
