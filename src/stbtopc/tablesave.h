// Writing the in-memory tables back into the record store, as a commit does:
// each element becomes a record through the index-table add of its kind.
// The transport-stream and provider saves keep an address map, which the
// service save uses to turn each service's in-memory references (reference
// ids) into the flash addresses of the records just written.
//
// Every save stops at the first record that cannot be written and reports
// it; the commit then puts the image back as it was. A service whose
// reference has no record in the map is such a failure too: flash never
// receives an id or any other value of this process.
#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "dberr.h"
#include "refids.h"

// Reference id of an in-memory element -> flash address of its record.
class TBL_AddressMap {
  public:
    // Flash address written for the id, 0 when the map has none.
    uint32_t Lookup(RefId ref) const;
    uint32_t Count() const { return static_cast<uint32_t>(pairs_.size()); }
    // The pairs in the order the records were written.
    const std::vector<std::pair<RefId, uint32_t>>& Pairs() const { return pairs_; }

  private:
    friend class TBL_AddressMapBuilder;
    std::vector<std::pair<RefId, uint32_t>> pairs_;  // write order
    std::vector<std::pair<RefId, uint32_t>> sorted_; // by id, for Lookup
};

// Write every element of g_TsInfoList (g_PrvInfoList) in list order and fill
// *map with (element's reference id, record address). Returns 0; the first
// failing add's code (the map then holds the records written before it);
// DBERR_NO_MEMORY when the map cannot be had; DBERR_NULL_ARG without map.
DBERR TBL_SaveTsInfos(TBL_AddressMap* map);
DBERR TBL_SavePrvInfos(TBL_AddressMap* map);

// Write every element of g_TpInfoList in list order. Nothing refers to
// transponder records, so no map is kept. Returns 0 or the first failing
// add's code; *written (when given) gets the number of records written.
DBERR TBL_SaveTpInfos(uint32_t* written = nullptr);

// Write every service record of g_SvcInfoList in list order, each as a copy
// whose tsRef and prvRef are replaced by the addresses the maps give. A TS
// reference without an address, or a provider reference other than 0
// without one, gives DBERR_TABLE_NOT_FOUND and stops before that record.
// Otherwise 0 or the first failing add's code. The in-memory records keep
// their references. Null maps: DBERR_NULL_ARG.
DBERR TBL_SaveSvcInfos(const TBL_AddressMap* prvMap, const TBL_AddressMap* tsMap);

// All 64 satellite slots in slot order, empty ones included. Returns 0 or the
// first failing add's code.
DBERR SN_SaveSatTable();

// All 16 favourite groups in order. Returns 0 or the first failing add's code.
DBERR TBL_SaveFavTable();
