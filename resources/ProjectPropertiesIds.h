#pragma once

// Identifiers of the project properties dialog.
