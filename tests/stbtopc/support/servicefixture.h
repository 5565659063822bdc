// Test fixture for the service lists: makes services in memory through the
// tables' own adds (TS, provider and service records) with a handle for each,
// and files them into the master list in the order they are made, so tests
// can lay out small lists service by service.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "dbrecords.h"
#include "dbtest.h"
#include "linkedlist.h"
#include "svchandle.h"

struct ServiceSpec {
    std::string name;            // raw bytes of the name field (up to 22)
    uint32_t type = SVC_TYPE_TV; // handle and record type
    uint16_t number = 0x3FFF;    // handle number
    bool numberLocked = false;   // handle bit 21
    uint8_t sat = 0;             // satellite index of its TS
    uint32_t frequency = 11000;  // MHz, of its TS
    uint16_t cas[3] = {0, 0, 0}; // CA system ids
    bool hidden = false;         // record bit 25 and handle bit 23
    uint32_t serviceClass = 0;   // record bits 14-16 (4: data service)
    std::string provider;        // provider name; empty: no provider
};

class ServiceListTest : public DbTest {
  protected:
    void SetUp() override;

    // Makes the service and appends its handle to g_MasterSvcList (closed).
    // Fails the test when a table refuses a record.
    SvcHandle addService(const ServiceSpec& spec);
    // A handle whose record is the placeholder, appended to the master list.
    SvcHandle addPlaceholder(uint32_t type = SVC_TYPE_TV, uint16_t number = 0x3FFF);
    // The same with a plain name and number.
    SvcHandle addTv(uint16_t number, const std::string& name = "TV");
    SvcHandle addRadio(uint16_t number, const std::string& name = "RADIO");

    // The handles of a list from its head, once round.
    static std::vector<SvcHandle> handlesOf(LL_Node* list);
    static uint32_t numberOf(SvcHandle handle);
    static uint32_t typeOf(SvcHandle handle);
};
