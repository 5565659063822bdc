// Stand-in for the favourites and list-edit module: no edit is ever open and
// no favourite list is kept. Delete this file when that module defines the
// functions of listedithead.h.
#include "listedithead.h"

namespace {
bool isFavOrSpecialList(SvcListId id) {
    return DB_IsFavList(id) || id == LIST_EXTRA_A || id == LIST_EXTRA_B;
}
bool isEditMethod(SvcAccessMethod method) {
    return method >= ACCESS_EDIT && method <= ACCESS_EDIT_NAME;
}
} // namespace

DBERR INT_SLM_GetFavListHead(SvcListId id, LL_Node** out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = nullptr;
    return isFavOrSpecialList(id) ? DBERR_OK : DBERR_BAD_LIST;
}

DBERR INT_SLM_SetFavListHead(SvcListId, LL_Node*) {
    return DBERR_BAD_LIST; // nowhere to keep it yet
}

DBERR INT_SLM_GetEditListHead(SvcListId, SvcAccessMethod, LL_Node** out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = nullptr;
    return DBERR_OK;
}

DBERR INT_SLM_SetEditListHead(SvcListId, SvcAccessMethod, LL_Node*) {
    return DBERR_OK;
}

DBERR INT_SLM_GetListHeadEx(SvcListId id, SvcAccessMethod method, LL_Node** out) {
    return isEditMethod(method) ? INT_SLM_GetEditListHead(id, method, out)
                                : INT_SLM_GetFavListHead(id, out);
}

DBERR INT_SLM_SetListHeadEx(SvcListId id, SvcAccessMethod method, LL_Node* head) {
    return isEditMethod(method) ? INT_SLM_SetEditListHead(id, method, head)
                                : INT_SLM_SetFavListHead(id, head);
}
