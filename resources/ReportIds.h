#pragma once

// Identifiers of the report dialog and the report generator.
