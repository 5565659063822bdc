// Service handles. Callers hold a SvcHandle: a 32-bit id. The handle table
// owns the handle objects at stable addresses; an id resolves only while its
// object is live and its self field equals the id. Ids are never reused in a
// run; 0 and 0xFFFFFFFF are never valid. A freed handle keeps a tombstone
// (self = SVC_HANDLE_FREED) until the table is cleared.
#pragma once
#include <cstdint>
#include "dbrecords.h"
#include "slmhandle.h"

struct LL_Node;

constexpr SvcHandle SVC_HANDLE_FREED = 0xFFFFFFFF;

struct SvcHandleObj {
    uint32_t self;     // the handle's own id; SVC_HANDLE_FREED once freed
    uint32_t marker;   // set to 0xFFFFFFFF
    SvcInfo* record;   // in-memory record, the placeholder, or null
    uint32_t numFlags; // see SVH_ below
    uint8_t* name;     // the record's name field, or an owned buffer (SVH_OWNS_NAME)
    // The handle's node in the list the service lists last indexed, kept
    // beside the handle so that a look-up needs no search; it holds only
    // while indexStamp is that index's stamp (svclist.cpp).
    LL_Node* indexedNode;
    uint64_t indexStamp;
};

// SvcHandleObj.numFlags fields.
constexpr unsigned SVH_NUMBER_LO = 0, SVH_NUMBER_W = 14; // 0x3FFF none
constexpr unsigned SVH_TYPE_LO = 14, SVH_TYPE_W = 3;
constexpr unsigned SVH_SOURCE_LO = 17, SVH_SOURCE_W = 2;
constexpr uint32_t SVH_OWNS_NAME = 1u << 19;
constexpr uint32_t SVH_LOCK = 1u << 20;        // copy of the record's SVCF_LOCK
constexpr uint32_t SVH_NUM_LOCKED = 1u << 21;  // kept by renumbering
constexpr uint32_t SVH_REWRITE = 1u << 22;     // a rewrite is pending
constexpr uint32_t SVH_HIDDEN = 1u << 23;      // copy of record flag bit 25: walks pass it over
constexpr uint32_t SVH_NEW_NUMFLAGS = 0x1FFFF; // number 0x3FFF, type 7

// Lists of services carry the handle id itself in a node's data pointer
// (never an object address), and word keys travel the same way.
inline void* INT_SLM_WordData(uint32_t word) {
    return reinterpret_cast<void*>(static_cast<uintptr_t>(word));
}
inline uint32_t INT_SLM_DataWord(const void* data) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(data));
}

// Allocates a new handle, initialised as a new handle is (self = id, marker
// 0xFFFFFFFF, numFlags 0x1FFFF, the rest zero). Returns SVC_HANDLE_NONE when
// memory runs out.
SvcHandle HT_Alloc();

// The live object of an id, or nullptr for 0, unknown, freed or stale ids.
SvcHandleObj* HT_Resolve(SvcHandle id);

// Frees the handle: releases an owned name buffer and leaves a tombstone.
// Unknown or already freed ids are ignored.
void HT_Free(SvcHandle id);

// Drops every handle, tombstones included. Ids already given out stay invalid.
void HT_Clear();

// Number of live handles (for checks and tests).
uint32_t HT_LiveCount();

// The list library's free callback for a node that carries a handle id:
// frees the handle (HT_Free).
void INT_SLM_FreeServiceHandle(void* handleData);
