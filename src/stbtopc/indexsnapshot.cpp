#include "indexsnapshot.h"

#include <cstring>

#include "dballoc.h"
#include "indextable.h"

namespace {

// Each kept copy with the program-wide block it keeps: one list for both
// directions, so nothing is kept that is not put back.
template <typename Snapshot, typename Copy> void forEachBlock(Snapshot& s, Copy copy) {
    copy(s.image, g_FlashImage, sizeof s.image);
    copy(&s.slotStates, &g_SlotStateArea, sizeof s.slotStates);
    copy(&s.formatTable, &g_FormatTable, sizeof s.formatTable);
    copy(&s.svc, &g_SvcIndex, sizeof s.svc);
    copy(&s.prv, &g_PrvIndex, sizeof s.prv);
    copy(&s.kind9, &g_Kind9Index, sizeof s.kind9);
    copy(&s.kind10, &g_Kind10Index, sizeof s.kind10);
    copy(&s.ts, &g_TsIndex, sizeof s.ts);
    copy(&s.tp, &g_TpIndex, sizeof s.tp);
    copy(&s.sat, &g_SatIndex, sizeof s.sat);
    copy(&s.fav, &g_FavIndex, sizeof s.fav);
    copy(s.favTable, g_FavTable, sizeof s.favTable);
}

} // namespace

void IndexSnapshot::Take() {
    forEachBlock(*this,
                 [](void* kept, const void* live, size_t size) { std::memcpy(kept, live, size); });
    commitWord = IDX_GetCommitWord();
}

void IndexSnapshot::Restore() const {
    forEachBlock(*this,
                 [](const void* kept, void* live, size_t size) { std::memcpy(live, kept, size); });
    IDX_SetCommitWord(commitWord);
}

IndexSnapshot* IDX_NewSnapshot() {
    return DB_New<IndexSnapshot>();
}
