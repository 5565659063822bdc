// Test-only: makes both index banks of g_FlashImage pass their checks again
// after a test changed their bytes, so that damage reaches the counts and
// addresses behind the checksums: the magic is written and every section's
// checksum recomputed from the section's current bytes.
#pragma once

void ResealIndexBanks();
