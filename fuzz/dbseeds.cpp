#include "dbseeds.h"

#include "dbstate.h"
#include "dbtemplate.h"
#include "imagebuilder.h"

namespace {

constexpr ImageCounts kBuilt[kDbSeedCount - 1] = {
    {.services = 12,
     .transportStreams = 3,
     .transponders = 2,
     .providers = 2,
     .satellites = 3,
     .favourites = 2,
     .kind9 = 1,
     .kind10 = 1},
    {.services = 60, .transportStreams = 10, .providers = 5, .satellites = 1},
    {.services = 120,
     .transportStreams = 40,
     .transponders = 20,
     .providers = 12,
     .satellites = 8,
     .favourites = 1},
};

} // namespace

bool BuildDbSeed(std::size_t index) {
    if (index >= kDbSeedCount) return false;
    DB_ResetAllState();
    if (index == kDbSeedCount - 1) return DB_MakeEmptyImage() == 0;
    return BuildImage(SampleSpec(kBuilt[index]));
}
