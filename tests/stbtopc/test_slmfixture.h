// Fixture of the list manager's public operations: a database built through
// the operations themselves, and views of the lists and tables that the
// tests compare.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "slm.h"
#include "dbtest.h"
#include "flashstore.h"
#include "tablefixtures.h"
#include "svchandleops.h"
#include "svclist.h"
#include "svctable.h"
#include "tablering.h"
#include "tstable.h"

class SlmTest : public DbTest {
  protected:
    void SetUp() override {
        DbTest::SetUp();
        // The document opens every database with six service sectors.
        ASSERT_EQ(DB_InitFlashMap(DB_MAX_SVC_SECTORS), 0);
    }

  public:
    static TpInfo Key(uint32_t frequencyMhz, uint8_t satIndex = 0, uint16_t symbolRate = 27500) {
        fixtures::Tp tp;
        tp.frequencyMhz = frequencyMhz;
        tp.satIndex = satIndex;
        tp.symbolRate = symbolRate;
        return fixtures::MakeTp(tp);
    }

    static TpRow Row(uint32_t frequencyMhz, uint16_t symbolRate = 27500) {
        fixtures::Tp tp;
        tp.frequencyMhz = frequencyMhz;
        tp.symbolRate = symbolRate;
        return fixtures::MakeRow(tp);
    }

    static SvcHandle Add(const char* name, const TpInfo& key) {
        SvcHandle handle = SVC_HANDLE_INVALID;
        EXPECT_EQ(SLM_AddService(&key, name, &handle), DBERR_OK) << name;
        return handle;
    }

    static SvcHandleObj& Obj(SvcHandle handle) {
        SvcHandleObj* obj = HT_Resolve(handle);
        EXPECT_NE(obj, nullptr);
        static SvcHandleObj none{};
        return obj != nullptr ? *obj : none;
    }

    static uint32_t Number(SvcHandle handle) {
        return DB_GetBits(Obj(handle).numFlags, SVH_NUMBER_LO, SVH_NUMBER_W);
    }

    static SvcInfo Record(SvcHandle handle) {
        SvcInfo svcInfo{};
        EXPECT_EQ(SLM_GetServiceInfo(handle, &svcInfo), DBERR_OK);
        return svcInfo;
    }

    static std::vector<SvcHandle> Handles(LL_Node* list) {
        std::vector<SvcHandle> handles;
        TBL_ForEachNode(list, [&](LL_Node* node) {
            handles.push_back(SLM_NodeHandle(node));
            return true;
        });
        return handles;
    }

    static std::vector<std::string> Names(LL_Node* list) {
        std::vector<std::string> names;
        for (SvcHandle handle : Handles(list)) {
            uint8_t name[SVC_NAME_LEN];
            INT_SLM_CopyServiceName(handle, name);
            names.emplace_back(reinterpret_cast<const char*>(name),
                               strnlen(reinterpret_cast<const char*>(name), SVC_NAME_LEN));
        }
        return names;
    }

    // The service records in the order of the service table.
    static std::vector<const SvcInfo*> RecordOrder() {
        std::vector<const SvcInfo*> records;
        TBL_ForEachNode(TBL_GetSvcInfoList(), [&](LL_Node* node) {
            records.push_back(static_cast<const SvcInfo*>(node->data));
            return true;
        });
        return records;
    }

    // The records of the master list's real services, in master order.
    static std::vector<const SvcInfo*> MasterRecords() {
        std::vector<const SvcInfo*> records;
        for (SvcHandle handle : Handles(g_MasterSvcList))
            if (!SLM_IsNullService(handle)) records.push_back(HT_Resolve(handle)->record);
        return records;
    }

    static std::vector<SvcHandle> ServicesOn(const TpInfo& key) {
        std::vector<SvcHandle> handles;
        for (uint32_t n = 0;; ++n) {
            SvcHandle handle = SVC_HANDLE_INVALID;
            if (SLM_GetNthServiceHandleWithTpInfo(&key, n, &handle) != DBERR_OK) break;
            handles.push_back(handle);
        }
        return handles;
    }
};
