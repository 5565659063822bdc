// The channel-list container in memory: the reader's checks and the writer's
// layout over byte buffers.
#include "cdlbytes.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "cdlendian.h"

DLH g_DlhRecord{};
PH g_PhRecord{};

namespace {

constexpr size_t kTagSize = 1;
constexpr size_t kHeaderHeadSize = 2; // DLH and PH: tag and a one-byte length
constexpr size_t kBlockHeadSize = 3;  // DG: tag and a big-endian u16 length
constexpr size_t kCrcSize = 4;
constexpr size_t kDlhCrcRange = 41; // the writer's DLH header CRC covers body bytes 0-40
constexpr size_t kPhCrcRange = 28;  // and its PH header CRC body bytes 0-27
constexpr size_t kPhBlockCountLowByte = 27;

// Reads forward through the container; a read past its end takes nothing.
class Cursor {
  public:
    Cursor(const uint8_t* bytes, size_t size) : next_(bytes), left_(bytes == nullptr ? 0 : size) {}

    size_t Left() const { return left_; }
    const uint8_t* Next() const { return next_; }

    // The next `count` bytes, or NULL (and nothing taken) when fewer are left.
    const uint8_t* Take(size_t count) {
        if (count > left_) return nullptr;
        const uint8_t* taken = next_;
        next_ += count;
        left_ -= count;
        return taken;
    }

  private:
    const uint8_t* next_;
    size_t left_;
};

// A record must open with its tag; a container that ends before the tag has
// been read is cut short, one that holds another byte there is wrong.
CdlFault CheckTag(const Cursor& in, CdlRecordTag tag, size_t headSize) {
    if (in.Left() >= kTagSize && in.Next()[0] != static_cast<uint8_t>(tag)) {
        return CdlFault::WrongTag;
    }
    return in.Left() < headSize ? CdlFault::CutShort : CdlFault::None;
}

// Reads a DLH or PH of any body length L into `body`, whose bodySize bytes
// are cleared first (a short record leaves the rest 0, a long one is cut to
// bodySize), and checks CdlCrc32 of the first L-4 body bytes against the
// header CRC in the last four of the bodySize bytes: the reader finds the
// CRC where the writer puts it, whatever the length says.
CdlFault ReadHeaderRecord(Cursor& in, CdlRecordTag tag, uint8_t* body, size_t bodySize) {
    const CdlFault tagFault = CheckTag(in, tag, kHeaderHeadSize);
    if (tagFault != CdlFault::None) return tagFault;
    const size_t length = in.Take(kHeaderHeadSize)[1];
    if (length < kCrcSize) return CdlFault::BadLength;
    const uint8_t* bytes = in.Take(length);
    if (bytes == nullptr) return CdlFault::CutShort;
    std::memset(body, 0, bodySize);
    std::memcpy(body, bytes, std::min(length, bodySize));
    const uint32_t stored = CdlGetU32(body + bodySize - kCrcSize);
    return CdlCrc32(bytes, length - kCrcSize) == stored ? CdlFault::None : CdlFault::CrcMismatch;
}

// Reads one DG record and appends its payload to `image`, whose capacity the
// caller has made large enough for every payload the container can hold.
CdlFault ReadBlock(Cursor& in, std::vector<uint8_t>& image) {
    const CdlFault tagFault = CheckTag(in, CdlRecordTag::DG, kBlockHeadSize);
    if (tagFault != CdlFault::None) return tagFault;
    const size_t length = CdlGetU16(in.Take(kBlockHeadSize) + kTagSize);
    if (length < kCrcSize || length > CDL_WORK_BUFFER_SIZE) return CdlFault::BadLength;
    const uint8_t* bytes = in.Take(length);
    if (bytes == nullptr) return CdlFault::CutShort;
    const size_t payload = length - kCrcSize;
    if (CdlCrc32(bytes, payload) != CdlGetU32(bytes + payload)) return CdlFault::CrcMismatch;
    image.insert(image.end(), bytes, bytes + payload);
    return CdlFault::None;
}

CdlCheck Failed(CdlFault fault, CdlRecordTag record, uint32_t block = 0) {
    return CdlCheck{fault, record, block};
}

} // namespace

CdlCheck CdlDecodeBytes(const uint8_t* container, size_t size, std::vector<uint8_t>& image) {
    image.clear();
    Cursor in(container, std::min(size, CDL_MAX_CONTAINER_SIZE));
    // The payloads are never more than the container: one allocation, made
    // before any check, so that appending below cannot fail.
    try {
        image.reserve(in.Left());
    } catch (const std::bad_alloc&) {
        return Failed(CdlFault::NoMemory, CdlRecordTag::DLH);
    }

    uint8_t body[CDL_DLH_BODY_SIZE];
    CdlFault fault = ReadHeaderRecord(in, CdlRecordTag::DLH, body, CDL_DLH_BODY_SIZE);
    if (fault != CdlFault::None) return Failed(fault, CdlRecordTag::DLH);

    fault = ReadHeaderRecord(in, CdlRecordTag::PH, body, CDL_PH_BODY_SIZE);
    if (fault != CdlFault::None) return Failed(fault, CdlRecordTag::PH);
    // Only the low-order byte of the block count counts: 256 reads as 0.
    const uint32_t blockCount = body[kPhBlockCountLowByte];
    if (blockCount == 0) return Failed(CdlFault::NoBlocks, CdlRecordTag::DG);

    for (uint32_t block = 0; block < blockCount; ++block) {
        fault = ReadBlock(in, image);
        if (fault != CdlFault::None) return Failed(fault, CdlRecordTag::DG, block);
    }
    return CdlCheck{};
}

const char* CdlCheckMessage(const CdlCheck& check) {
    // Neither a passed check nor a lack of memory is a damaged file.
    if (check.fault == CdlFault::None || check.fault == CdlFault::NoMemory) return nullptr;
    const bool crc = check.fault == CdlFault::CrcMismatch;
    switch (check.record) {
    case CdlRecordTag::DLH:
        return crc ? "File open Error(DLH_CRC_ERROR)" : "File open Error(Abnormal File_DLH)";
    case CdlRecordTag::PH:
        return crc ? "File open Error(PH_CRC_ERROR)" : "File open Error(Abnormal File_PH)";
    case CdlRecordTag::DG:
        return crc ? "File open Error(DG_CRC_ERROR)" : "File open Error(Abnormal File_DG)";
    }
    return nullptr;
}

// ---- Writer ----------------------------------------------------------------

namespace {

// The PH of `dataSize` data bytes: blocks of CDL_BLOCK_SIZE, the last one
// holding the rest, or one block of the whole data when it fits in one.
PH PhFor(uint32_t dataSize) {
    PH ph{};
    CdlSetPHVersion(&ph, 1);
    CdlSetPHDataSize(&ph, dataSize);
    if (dataSize <= CDL_BLOCK_SIZE) {
        CdlSetPHBlockSize(&ph, static_cast<uint16_t>(dataSize));
        CdlSetPHBlockCount(&ph, 1);
    } else {
        CdlSetPHBlockSize(&ph, static_cast<uint16_t>(CDL_BLOCK_SIZE));
        CdlSetPHBlockCount(&ph,
                           static_cast<uint16_t>((dataSize + CDL_BLOCK_SIZE - 1) / CDL_BLOCK_SIZE));
    }
    return ph;
}

// Writes the tag, the length and the body of a DLH or PH at `out`; the header
// CRC over the first `crcRange` body bytes is computed into the record.
template <class Record>
uint8_t* PutHeaderRecord(uint8_t* out, CdlRecordTag tag, Record& record, size_t bodySize,
                         size_t crcRange, int (*pack)(const Record*, uint8_t*),
                         int (*setCrc)(Record*, uint32_t)) {
    out[0] = static_cast<uint8_t>(tag);
    out[1] = static_cast<uint8_t>(bodySize);
    uint8_t* body = out + kHeaderHeadSize;
    pack(&record, body);
    setCrc(&record, CdlCrc32(body, crcRange));
    pack(&record, body);
    return body + bodySize;
}

} // namespace

int CdlEncodeBytes(const uint8_t* image, size_t size, std::vector<uint8_t>& container) {
    container.clear();
    if (image == nullptr && size != 0) return 1;
    const uint32_t dataSize = CDL_DATA_SIZE;
    PH ph = PhFor(dataSize);
    const size_t blockCount = ph.blockCount;
    const size_t total = kHeaderHeadSize + CDL_DLH_BODY_SIZE + kHeaderHeadSize + CDL_PH_BODY_SIZE +
                         blockCount * (kBlockHeadSize + kCrcSize) + dataSize;
    // Filled with 0xFF, so that the data past a short image is erased flash.
    try {
        container.assign(total, 0xFF);
    } catch (const std::bad_alloc&) {
        container.clear();
        return 1;
    }
    const size_t imageBytes = std::min<size_t>(size, dataSize);

    // The DG records first: the PH carries the CRC of all their payloads.
    uint8_t* const blocksAt =
        container.data() + kHeaderHeadSize * 2 + CDL_DLH_BODY_SIZE + CDL_PH_BODY_SIZE;
    uint8_t* out = blocksAt;
    uint32_t dataCrc = CdlCrc32(nullptr, 0);
    size_t offset = 0;
    for (size_t block = 0; block < blockCount; ++block) {
        const size_t payload = std::min<size_t>(dataSize - offset, CDL_BLOCK_SIZE);
        out[0] = static_cast<uint8_t>(CdlRecordTag::DG);
        CdlPutU16(out + kTagSize, static_cast<uint16_t>(payload + kCrcSize));
        uint8_t* const data = out + kBlockHeadSize;
        if (offset < imageBytes) {
            std::memcpy(data, image + offset, std::min(payload, imageBytes - offset));
        }
        CdlPutU32(data + payload, CdlCrc32(data, payload));
        dataCrc = CdlCrc32Update(dataCrc, data, payload);
        out = data + payload + kCrcSize;
        offset += payload;
    }

    DLH dlh{};
    CdlSetDLHByte3(&dlh, 1);
    uint8_t* next = PutHeaderRecord(container.data(), CdlRecordTag::DLH, dlh, CDL_DLH_BODY_SIZE,
                                    kDlhCrcRange, CdlPackDLH, CdlSetDLHHeaderCrc);
    CdlSetPHDataCrc(&ph, dataCrc);
    PutHeaderRecord(next, CdlRecordTag::PH, ph, CDL_PH_BODY_SIZE, kPhCrcRange, CdlPackPH,
                    CdlSetPHHeaderCrc);
    g_DlhRecord = dlh;
    g_PhRecord = ph;
    return 0;
}
