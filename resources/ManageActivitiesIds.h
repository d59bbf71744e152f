#pragma once

// Identifiers of the manage activities dialog.
