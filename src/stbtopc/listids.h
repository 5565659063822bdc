// Service list ids, access methods and filter keys.
#pragma once
#include <cstdint>

using SvcListId = uint8_t;

constexpr SvcListId LIST_ALL = 0;
constexpr SvcListId LIST_DATA = 4;
constexpr SvcListId LIST_FAV_FIRST = 7; // favourite group = id - 7
constexpr SvcListId LIST_FAV_LAST = 22;
constexpr SvcListId LIST_EXTRA_A = 23; // kept beside the favourite groups
constexpr SvcListId LIST_EXTRA_B = 24;
constexpr SvcListId LIST_SAT_FIRST = 30; // satellite index = id - 30
constexpr SvcListId LIST_SAT_LAST = 99;
constexpr SvcListId LIST_CA_FIRST = 110; // CA bit 1 << (id - 110)
constexpr SvcListId LIST_CA_ANY = 118;   // in walks: any CA id
constexpr SvcListId LIST_CA_NONE = 120;  // in walks: no CA id
constexpr SvcListId LIST_CA_LAST = 120;
constexpr SvcListId LIST_PRV_FIRST = 200; // provider index = id - 200
constexpr SvcListId LIST_PRV_LAST = 255;

constexpr bool DB_IsFavList(unsigned id) {
    return id >= LIST_FAV_FIRST && id <= LIST_FAV_LAST;
}
constexpr bool DB_IsSatList(unsigned id) {
    return id >= LIST_SAT_FIRST && id <= LIST_SAT_LAST;
}
constexpr bool DB_IsCaList(unsigned id) {
    return id >= LIST_CA_FIRST && id <= LIST_CA_LAST;
}
constexpr bool DB_IsPrvList(unsigned id) {
    return id >= LIST_PRV_FIRST && id <= LIST_PRV_LAST;
}

// Which set of list heads the list manager works on (g_AccessMethod).
using SvcAccessMethod = uint8_t;
constexpr SvcAccessMethod ACCESS_MASTER = 0;
constexpr SvcAccessMethod ACCESS_NAME = 1;
constexpr SvcAccessMethod ACCESS_TV = 2;
constexpr SvcAccessMethod ACCESS_RADIO = 3;
constexpr SvcAccessMethod ACCESS_EDIT = 4;
constexpr SvcAccessMethod ACCESS_EDIT_MASTER = 5;
constexpr SvcAccessMethod ACCESS_EDIT_NAME = 6;

// Filter keys: number << 16 | type << 8 | index for the indexed lists,
// number << 16 | type for the plain ones.
constexpr uint16_t SVC_NUMBER_ANY = 0x3FFF;
constexpr uint8_t SVC_QUERY_TYPE_ANY = 6;
