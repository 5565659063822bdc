#include "servicefixture.h"

#include <cstring>

#include "placeholder.h"
#include "svchandleops.h"
#include "svclist.h"
#include "tables.h"

void ServiceListTest::SetUp() {
    DbTest::SetUp();
    DB_SetUpPlaceholders();
}

namespace {
SvcHandle newHandle(SvcInfo* record, const ServiceSpec& spec) {
    const SvcHandle handle = HT_Alloc();
    SvcHandleObj* obj = HT_Resolve(handle);
    if (obj == nullptr) return SVC_HANDLE_NONE;
    obj->record = record;
    obj->name = record->name;
    uint32_t flags = obj->numFlags;
    flags = DB_SetBits(flags, SVH_NUMBER_LO, SVH_NUMBER_W, spec.number);
    flags = DB_SetBits(flags, SVH_TYPE_LO, SVH_TYPE_W, spec.type);
    flags = DB_SetBits(flags, SVH_SOURCE_LO, SVH_SOURCE_W, 0);
    if (spec.numberLocked) flags |= SVH_NUM_LOCKED;
    if (spec.hidden) flags |= SVH_HIDDEN;
    obj->numFlags = flags;
    g_MasterSvcList = INT_LL_Append(g_MasterSvcList, SLM_HandleNodeData(handle));
    return handle;
}
} // namespace

SvcHandle ServiceListTest::addService(const ServiceSpec& spec) {
    TsInfo ts{};
    ts.id1 = static_cast<uint16_t>(spec.frequency);
    ts.tp.frequency = spec.frequency;
    ts.tp.symbolRate = 27500;
    ts.tp.satIndex = spec.sat;
    TsInfo* storedTs = nullptr;
    RefId tsRef = REF_NONE;
    EXPECT_EQ(TBL_AddTsInfo(&ts, &storedTs, &tsRef), DBERR_OK);

    RefId prvRef = REF_NONE;
    if (!spec.provider.empty()) {
        PrvInfo prv{};
        std::strncpy(prv.name, spec.provider.c_str(), PRV_NAME_LEN - 1);
        PrvInfo* storedPrv = nullptr;
        EXPECT_EQ(TBL_AddPrvInfo(&prv, &storedPrv, &prvRef), DBERR_OK);
        if (storedPrv == nullptr) TBL_FindPrvInfoByName(prv.name, &storedPrv, &prvRef);
    }

    SvcInfo record{};
    record.flags = DB_SetBits(record.flags, SVCF_TYPE_LO, SVCF_TYPE_W, spec.type);
    record.flags = DB_SetBits(record.flags, SVCF_CLASS_LO, SVCF_CLASS_W, spec.serviceClass);
    if (spec.hidden) record.flags |= SVCF_HIDDEN;
    std::memcpy(record.casId, spec.cas, sizeof record.casId);
    std::memcpy(record.name, spec.name.data(), std::min(spec.name.size(), SVC_NAME_LEN));
    record.tsRef = tsRef;
    record.prvRef = prvRef;
    SvcInfo* stored = nullptr;
    EXPECT_EQ(TBL_AddSvcInfo(&record, &stored), DBERR_OK);
    if (stored == nullptr) return SVC_HANDLE_NONE;
    return newHandle(stored, spec);
}

SvcHandle ServiceListTest::addPlaceholder(uint32_t type, uint16_t number) {
    ServiceSpec spec;
    spec.type = type;
    spec.number = number;
    return newHandle(&g_PlaceholderSvcInfo, spec);
}

SvcHandle ServiceListTest::addTv(uint16_t number, const std::string& name) {
    ServiceSpec spec;
    spec.name = name;
    spec.number = number;
    return addService(spec);
}

SvcHandle ServiceListTest::addRadio(uint16_t number, const std::string& name) {
    ServiceSpec spec;
    spec.name = name;
    spec.number = number;
    spec.type = SVC_TYPE_RADIO;
    return addService(spec);
}

std::vector<SvcHandle> ServiceListTest::handlesOf(LL_Node* list) {
    std::vector<SvcHandle> handles;
    for (LL_Node* node = list; node != nullptr;) {
        handles.push_back(SLM_NodeHandle(node));
        node = node->next;
        if (node == list) break;
    }
    return handles;
}

uint32_t ServiceListTest::numberOf(SvcHandle handle) {
    const SvcHandleObj* obj = HT_Resolve(handle);
    return obj != nullptr ? DB_GetBits(obj->numFlags, SVH_NUMBER_LO, SVH_NUMBER_W) : 0xFFFFFFFFu;
}

uint32_t ServiceListTest::typeOf(SvcHandle handle) {
    const SvcHandleObj* obj = HT_Resolve(handle);
    return obj != nullptr ? DB_GetBits(obj->numFlags, SVH_TYPE_LO, SVH_TYPE_W) : 0xFFFFFFFFu;
}
