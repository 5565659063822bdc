#include "servicecells.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

std::string Decimal(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "%u", value);
    return text;
}

// The name field up to its terminator, never past its 22 bytes.
std::string NameText(const SvcInfo& record) {
    const auto* name = reinterpret_cast<const char*>(record.name);
    const auto* end = static_cast<const char*>(std::memchr(name, 0, SVC_NAME_LEN));
    return std::string(name, end ? static_cast<std::size_t>(end - name) : SVC_NAME_LEN);
}

const char* TypeText(const SvcInfo& record) {
    switch (DB_GetBits(record.flags, SVCF_TYPE_LO, SVCF_TYPE_W)) {
    case SVC_TYPE_TV:
        return "T V";
    case SVC_TYPE_RADIO:
        return "RADIO";
    default:
        return "ETC";
    }
}

// The family name of the first CA id; "ETC" for none or an unknown family.
std::string CasText(const SvcInfo& record) {
    CasBit bit = CAS_BIT_NONE;
    const char* name = nullptr;
    if (SLM_GetCasBit(record.casId[0], &bit) != DBERR_OK) return "ETC";
    if (SLM_GetCasName(bit, &name) != DBERR_OK || name == nullptr) return "ETC";
    return name;
}

void SetName(const char* text, SvcInfo* record) {
    std::memset(record->name, 0, SVC_NAME_LEN);
    const std::size_t length = std::min(std::strlen(text), kNameCommitLength);
    std::memcpy(record->name, text, length);
}

} // namespace

std::string ServiceCellText(int column, int n, const SvcInfo& record, int number) {
    switch (column) {
    case colChannelNo:
        return Decimal(static_cast<unsigned>(n) + 1);
    case colServiceName:
        return NameText(record);
    case colVid:
        return Decimal(record.videoPid);
    case colAid:
        return Decimal(record.audioPid);
    case colPcrPid:
        return Decimal(record.pcrPid);
    case colServiceId:
        return number < 0 ? std::string() : Decimal(static_cast<unsigned>(number));
    case colLock:
        return (record.flags & SVCF_LOCK) ? "TRUE" : "FALSE";
    case colType:
        return TypeText(record);
    case colCas:
        return CasText(record);
    default:
        return std::string();
    }
}

bool ParsePidText(const char* text, std::uint16_t* pid) {
    if (text == nullptr || *text == '\0') return false;
    unsigned value = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9') return false;
        value = value * 10 + static_cast<unsigned>(*p - '0');
        if (value > kLargestPid) return false; // stops before the sum can grow past 32 bits
    }
    *pid = static_cast<std::uint16_t>(value);
    return true;
}

CellCommit ApplyCellText(int column, const char* text, SvcInfo* record) {
    if (text == nullptr || record == nullptr) return CellCommit::refuse;
    switch (column) {
    case colServiceName:
        SetName(text, record);
        return CellCommit::write;
    case colVid:
        return ParsePidText(text, &record->videoPid) ? CellCommit::write : CellCommit::refuse;
    case colAid:
        return ParsePidText(text, &record->audioPid) ? CellCommit::write : CellCommit::refuse;
    case colPcrPid:
        return ParsePidText(text, &record->pcrPid) ? CellCommit::write : CellCommit::refuse;
    case colLock:
        if (std::strcmp(text, "FALSE") == 0)
            record->flags &= ~SVCF_LOCK;
        else
            record->flags |= SVCF_LOCK;
        return CellCommit::write;
    case colType: {
        const uint32_t type = std::strcmp(text, "T V") == 0 ? SVC_TYPE_TV : SVC_TYPE_RADIO;
        record->flags = DB_SetBits(record->flags, SVCF_TYPE_LO, SVCF_TYPE_W, type);
        return CellCommit::write;
    }
    case colChannelNo:
    case colServiceId:
    case colCas:
        return CellCommit::write; // shown only: the record goes back as it was
    default:
        return CellCommit::refuse;
    }
}
