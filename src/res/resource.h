// Resource identifiers of the program, kept by hand and grouped by kind.
#pragma once

// Strings
#define IDS_PLACEHOLDER 1
