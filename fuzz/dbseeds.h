// The valid images the database fuzz targets start from: databases of the
// test image builder, from a few services to a hundred and more with every
// record kind, and last the empty template. Small ones, since every input
// opens, commits and reopens one.
#pragma once
#include <cstddef>

constexpr std::size_t kDbSeedCount = 4;

// Builds seed `index` (below kDbSeedCount; the last is the empty template)
// into g_FlashImage after a reset of the whole library. False when it cannot
// be built.
bool BuildDbSeed(std::size_t index);
