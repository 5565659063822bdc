#include "tableadds.h"

#include <gtest/gtest.h>

#include "imagebuilder.h"
#include "prvtable.h"
#include "tstable.h"

namespace fixtures {

RefId AddTs(const TsInfo& record) {
    TsInfo* element = nullptr;
    RefId ref = REF_NONE;
    EXPECT_EQ(TBL_AddTsInfo(&record, &element, &ref), DBERR_OK);
    return ref;
}

RefId AddPrv(const char* name) {
    const PrvInfo record = MakeProvider(name);
    PrvInfo* element = nullptr;
    RefId ref = REF_NONE;
    EXPECT_EQ(TBL_AddPrvInfo(&record, &element, &ref), DBERR_OK);
    return ref;
}

} // namespace fixtures
