#include "tablesave.h"

#include <algorithm>
#include <new>

#include "dballoc.h"
#include "favtable.h"
#include "indextable.h"
#include "prvtable.h"
#include "sattable.h"
#include "svctable.h"
#include "tablering.h"
#include "tptable.h"
#include "tstable.h"

// Fills a map while records are written; vectors may throw, the library may
// not, so every growth goes through here.
class TBL_AddressMapBuilder {
  public:
    explicit TBL_AddressMapBuilder(TBL_AddressMap& map) : map_(map) {}

    bool Start(uint32_t expected) {
        map_.pairs_.clear();
        map_.sorted_.clear();
        return DB_Reserve(map_.pairs_, expected) && DB_Reserve(map_.sorted_, expected);
    }

    bool Add(RefId ref, uint32_t address) { return DB_Append(map_.pairs_, ref, address); }

    // Builds the look-up order; once the room is there, the copy cannot
    // throw.
    bool Finish() {
        if (!DB_Reserve(map_.sorted_, map_.pairs_.size())) return false;
        map_.sorted_.assign(map_.pairs_.begin(), map_.pairs_.end());
        std::sort(map_.sorted_.begin(), map_.sorted_.end());
        return true;
    }

  private:
    TBL_AddressMap& map_;
};

uint32_t TBL_AddressMap::Lookup(RefId ref) const {
    if (ref == REF_NONE) return 0;
    const auto it = std::lower_bound(sorted_.begin(), sorted_.end(), std::make_pair(ref, 0u));
    return it != sorted_.end() && it->first == ref ? it->second : 0;
}

namespace {

// Writes every record of a table's ring through its add and maps the
// element's reference id to the record's address.
template <typename Record>
DBERR saveMapped(LL_Node* list, uint32_t count, TBL_AddressMap* map,
                 DBERR (*add)(const Record*, uint32_t*), RefId (*refOf)(const Record*)) {
    if (map == nullptr) return DBERR_NULL_ARG;
    TBL_AddressMapBuilder builder(*map);
    if (!builder.Start(count)) return DBERR_NO_MEMORY;
    DBERR result = DBERR_OK;
    TBL_ForEachNode(list, [&](LL_Node* node) {
        const auto* element = static_cast<const Record*>(node->data);
        const Record copy = *element;
        uint32_t address = 0;
        result = add(&copy, &address);
        if (result == DBERR_OK && !builder.Add(refOf(element), address)) result = DBERR_NO_MEMORY;
        return result == DBERR_OK;
    });
    if (result == DBERR_OK && !builder.Finish()) result = DBERR_NO_MEMORY;
    return result;
}

} // namespace

DBERR TBL_SaveTsInfos(TBL_AddressMap* map) {
    return saveMapped<TsInfo>(g_TsInfoList, TBL_GetTsCount(), map, IDX_AddTsInfo, TBL_GetTsRef);
}

DBERR TBL_SavePrvInfos(TBL_AddressMap* map) {
    return saveMapped<PrvInfo>(g_PrvInfoList, TBL_GetPrvCount(), map, IDX_AddPrvInfo,
                               TBL_GetPrvRef);
}

DBERR TBL_SaveTpInfos(uint32_t* written) {
    uint32_t n = 0;
    DBERR result = DBERR_OK;
    TBL_ForEachNode(g_TpInfoList, [&](LL_Node* node) {
        const TpInfo copy = *static_cast<const TpInfo*>(node->data);
        uint32_t address = 0;
        result = IDX_AddTpInfo(&copy, &address);
        n += result == DBERR_OK;
        return result == DBERR_OK;
    });
    if (written != nullptr) *written = n;
    return result;
}

DBERR TBL_SaveSvcInfos(const TBL_AddressMap* prvMap, const TBL_AddressMap* tsMap) {
    if (prvMap == nullptr || tsMap == nullptr) return DBERR_NULL_ARG;
    DBERR result = DBERR_OK;
    TBL_ForEachNode(g_SvcInfoList, [&](LL_Node* node) {
        SvcInfo copy = *static_cast<const SvcInfo*>(node->data);
        const uint32_t tsAddress = tsMap->Lookup(copy.tsRef);
        const uint32_t prvAddress = copy.prvRef == REF_NONE ? 0 : prvMap->Lookup(copy.prvRef);
        if (tsAddress == 0 || (copy.prvRef != REF_NONE && prvAddress == 0)) {
            result = DBERR_TABLE_NOT_FOUND;
            return false;
        }
        copy.tsRef = tsAddress;
        copy.prvRef = prvAddress;
        uint32_t address = 0;
        result = IDX_AddSvcInfo(&copy, &address);
        return result == DBERR_OK;
    });
    return result;
}

DBERR SN_SaveSatTable() {
    for (const SatInfo& slot : g_SatTable) {
        uint32_t address = 0;
        if (const DBERR result = IDX_AddSatInfo(&slot, &address)) return result;
    }
    return 0;
}

DBERR TBL_SaveFavTable() {
    for (const FavInfo& group : g_FavTable) {
        uint32_t address = 0;
        if (const DBERR result = IDX_AddFavInfo(&group, &address)) return result;
    }
    return 0;
}
