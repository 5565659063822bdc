#include "dbsnapshot.h"

#include <cstring>

#include "favtable.h"
#include "prvtable.h"
#include "refids.h"
#include "sattable.h"
#include "svchandle.h"
#include "svclist.h"
#include "tablering.h"
#include "tptable.h"
#include "tstable.h"

namespace {

template <typename T> std::vector<uint8_t> bytesOf(const T* p, size_t n = sizeof(T)) {
    if (p == nullptr) return {};
    const auto* b = reinterpret_cast<const uint8_t*>(p);
    return {b, b + n};
}

template <typename Record> std::vector<std::vector<uint8_t>> tableBytes(LL_Node* list) {
    std::vector<std::vector<uint8_t>> out;
    TBL_ForEachNode(list, [&](LL_Node* node) {
        out.push_back(bytesOf(static_cast<const Record*>(node->data)));
        return true;
    });
    return out;
}

const SvcHandleObj* objOf(LL_Node* node) {
    return HT_Resolve(SLM_NodeHandle(node));
}

} // namespace

DbSnapshot TakeDbSnapshot() {
    DbSnapshot s;
    TBL_ForEachNode(g_MasterSvcList, [&](LL_Node* node) {
        LoadedService svc;
        if (const SvcHandleObj* obj = objOf(node)) {
            svc.number = DB_GetBits(obj->numFlags, SVH_NUMBER_LO, SVH_NUMBER_W);
            svc.type = DB_GetBits(obj->numFlags, SVH_TYPE_LO, SVH_TYPE_W);
            if (obj->record != nullptr) {
                svc.record = bytesOf(obj->record, 56);
                svc.ts = bytesOf(REF_ResolveTs(obj->record->tsRef));
                svc.prv = bytesOf(REF_ResolvePrv(obj->record->prvRef));
            }
        }
        s.master.push_back(svc);
        return true;
    });
    TBL_ForEachNode(g_NameSortedSvcList, [&](LL_Node* node) {
        const SvcHandleObj* obj = objOf(node);
        s.nameOrder.push_back(obj != nullptr ? bytesOf(obj->record, 56) : std::vector<uint8_t>{});
        return true;
    });
    s.ts = tableBytes<TsInfo>(g_TsInfoList);
    s.tp = tableBytes<TpInfo>(g_TpInfoList);
    s.prv = tableBytes<PrvInfo>(g_PrvInfoList);
    s.sats = bytesOf(g_SatTable, sizeof g_SatTable);
    s.favs = bytesOf(g_FavTable, sizeof g_FavTable);
    return s;
}

std::vector<std::pair<uint32_t, uint32_t>> MasterNumbers() {
    std::vector<std::pair<uint32_t, uint32_t>> out;
    TBL_ForEachNode(g_MasterSvcList, [&](LL_Node* node) {
        const SvcHandleObj* obj = objOf(node);
        out.emplace_back(obj ? DB_GetBits(obj->numFlags, SVH_NUMBER_LO, SVH_NUMBER_W) : 0xFFFF,
                         obj ? DB_GetBits(obj->numFlags, SVH_TYPE_LO, SVH_TYPE_W) : 0xFF);
        return true;
    });
    return out;
}

std::vector<std::string> NameOrder() {
    std::vector<std::string> out;
    TBL_ForEachNode(g_NameSortedSvcList, [&](LL_Node* node) {
        const SvcHandleObj* obj = objOf(node);
        if (obj == nullptr || obj->record == nullptr) {
            out.emplace_back("?");
        } else {
            const auto* name = reinterpret_cast<const char*>(obj->record->name);
            out.emplace_back(name, strnlen(name, SVC_NAME_LEN));
        }
        return true;
    });
    return out;
}
