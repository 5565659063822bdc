// Reference ids. In memory, a SvcInfo's two address words (tsRef, prvRef)
// hold 32-bit ids of in-memory TsInfo and PrvInfo elements instead of
// pointers; 0 is "none". Load maps flash addresses to ids, commit maps ids
// back to the addresses of the records it wrote.
#pragma once
#include <cstdint>
#include "dbrecords.h"

using RefId = uint32_t;
constexpr RefId REF_NONE = 0;

enum class RefKind : uint8_t { Ts = 1, Prv = 2 };

// Registers an element and returns its new id; REF_NONE when memory runs out
// or element is null. Ids are never reused within a run.
RefId REF_Register(RefKind kind, void* element);

// The element behind an id of that kind, or nullptr (none, unknown, released,
// or an id of the other kind).
void* REF_Resolve(RefKind kind, RefId id);
inline TsInfo* REF_ResolveTs(RefId id) {
    return static_cast<TsInfo*>(REF_Resolve(RefKind::Ts, id));
}
inline PrvInfo* REF_ResolvePrv(RefId id) {
    return static_cast<PrvInfo*>(REF_Resolve(RefKind::Prv, id));
}

// The id under which an element is registered, or REF_NONE (linear search).
RefId REF_Find(RefKind kind, const void* element);

// Forgets one id; later resolves give nullptr.
void REF_Release(RefId id);

// Forgets every id.
void REF_Clear();
