// Ordering of row texts for sorted inserts: ASCII letters compare without
// case; a lead byte of a double-byte character pairs with the byte after it,
// and such a pair compares as it stands (no case folding inside it).
#pragma once

#include <string>

namespace treelist {

// Negative, zero or positive as a sorts before, with or after b. Never fails.
int CompareNoCase(const std::string& a, const std::string& b);

} // namespace treelist
