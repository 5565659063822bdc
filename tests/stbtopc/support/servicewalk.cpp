#include "servicewalk.h"

#include <cstring>

namespace {
constexpr uint16_t kAnyNumber = 0x3FFF;
} // namespace

std::vector<SvcHandle> ServicesIn(SvcListId list, uint8_t type) {
    std::vector<SvcHandle> handles;
    uint16_t count = 0;
    SLM_GetNumServicesInList(list, kAnyNumber, type, &count);
    SvcHandle handle = SVC_HANDLE_INVALID;
    for (uint16_t i = 0; i < count; ++i) {
        if (SLM_GetNextServiceHandle(handle, list, kAnyNumber, type, i == 0 ? 0 : 1, &handle) !=
            DBERR_OK)
            break;
        handles.push_back(handle);
    }
    return handles;
}

std::string ServiceName(SvcHandle handle) {
    uint8_t name[SVC_NAME_LEN] = {};
    SLM_GetServiceName(handle, name);
    const char* bytes = reinterpret_cast<const char*>(name);
    return std::string(bytes, strnlen(bytes, sizeof name));
}
