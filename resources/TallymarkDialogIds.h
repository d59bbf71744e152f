#pragma once

// Identifiers of the tally mark and split dialogs, the calendar and the time-of-day control.
