#pragma once

// Identifiers of the settings dialog and its pages.
