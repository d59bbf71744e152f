#pragma once

// Identifiers of the manage tally marks and move tally marks dialogs.
