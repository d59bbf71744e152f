#pragma once

// Identifiers of the compact main window and the activity combo box.
