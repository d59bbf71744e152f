#pragma once

// Identifiers of the choose time period, choose activities and choose project dialogs.
