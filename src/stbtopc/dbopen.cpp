#include "dbopen.h"

#include "dbload.h"
#include "indexbank.h"
#include "satnet.h"

uint32_t DB_OpenDatabase(uint16_t* outCount) {
    if (outCount != nullptr) *outCount = 0;
    if (SLM_LoadIndex() != 0) return 0;
    uint16_t count = 0;
    if (SLM_LoadDatabase(&count) != 0) return 0;
    SN_SetRegionId(0);
    if (outCount != nullptr) *outCount = count;
    return 1;
}
