// Transport streams and providers added through the tables' own adds, for
// tests that lay out a few records by hand and link services to them by
// reference id. Each add fails the calling test when the table refuses the
// record, and then gives REF_NONE.
#pragma once
#include "dbrecords.h"
#include "refids.h"

namespace fixtures {

RefId AddTs(const TsInfo& record);

// A provider of that name, cut to PRV_NAME_LEN - 1 bytes so that it stays
// zero-terminated.
RefId AddPrv(const char* name);

} // namespace fixtures
