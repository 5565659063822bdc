#include "imagebuilder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "dbstate.h"
#include "flashstore.h"
#include "indexbank.h"
#include "indexblocks.h"
#include "wrapper.h"

namespace {

template <typename Table> void clearTable(Table& table) {
    std::memset(&table, 0, sizeof table);
}

// Writes each record with the kind's writer and appends its address to the
// kind's index block; the addresses are also handed back for references.
template <typename Record, typename Table>
bool writeAll(const std::vector<Record>& records, uint16_t (*writer)(const Record*, uint32_t*),
              Table& table, std::vector<uint32_t>* addresses = nullptr) {
    if (records.size() > Table::capacity) return false;
    for (const Record& record : records) {
        uint32_t address = 0;
        if (writer(&record, &address) != 0) return false;
        table.addresses[table.count++] = address;
        if (addresses != nullptr) addresses->push_back(address);
    }
    return true;
}

bool inRange(int index, size_t size) {
    return index >= 0 && static_cast<size_t>(index) < size;
}

void copyName(void* field, size_t size, const char* name) {
    std::memset(field, 0, size);
    if (name != nullptr) std::memcpy(field, name, std::min(std::strlen(name), size));
}

} // namespace

SvcInfo MakeService(const char* name, uint32_t type, uint16_t videoPid, uint16_t audioPid) {
    SvcInfo svc{};
    svc.flags = DB_SetBits(0, SVCF_TYPE_LO, SVCF_TYPE_W, type);
    svc.extraPid = PID_NONE;
    svc.videoPid = videoPid;
    svc.audioPid = audioPid;
    svc.pcrPid = videoPid != PID_NONE ? videoPid : audioPid;
    svc.flags2 = 0xFF;
    if (videoPid != PID_NONE) svc.flags2 |= SVCF2_VIDEO_VALID;
    if (audioPid != PID_NONE) svc.flags2 |= SVCF2_AUDIO_VALID;
    copyName(svc.name, sizeof svc.name, name);
    return svc;
}

TsInfo MakeTs(uint32_t frequencyMHz, uint16_t symbolRate, uint8_t polarisation, uint8_t satIndex) {
    TsInfo ts{};
    ts.flags = DB_SetBits(0, TSF_TUNER_LO, TSF_TUNER_W, 2);
    ts.tp.frequency = frequencyMHz;
    ts.tp.symbolRate = symbolRate;
    ts.tp.polarisation = polarisation;
    ts.tp.fec = FEC_AUTO;
    ts.tp.satIndex = satIndex;
    return ts;
}

PrvInfo MakeProvider(const char* name) {
    PrvInfo prv{};
    copyName(prv.name, sizeof prv.name - 1, name); // stays zero-terminated
    return prv;
}

SatInfo MakeSatellite(const char* name, int16_t orbitTenths, uint32_t lnbKHz) {
    SatInfo sat{};
    sat.lnb = DB_SetBits(0, SAT_LO_LO, SAT_LO_W, lnbKHz) | SAT_IN_USE;
    sat.power = DB_SetBits(SAT_LNB_POWER, SAT_SETTING_LO, SAT_SETTING_W, 16);
    sat.power =
        DB_SetBits(sat.power, SAT_ORBIT_LO, SAT_ORBIT_W, static_cast<uint16_t>(orbitTenths));
    copyName(sat.name, sizeof sat.name - 1, name);
    return sat;
}

ImageSpec SampleSpec(const ImageCounts& counts) {
    ImageSpec spec;
    char text[32];
    const uint32_t satSlots = std::max<uint32_t>(counts.satellites, 1);
    for (uint32_t s = 0; s < counts.satellites && s < SAT_CAPACITY; ++s) {
        std::snprintf(text, sizeof text, "Sat %u", s);
        spec.satellites[s] =
            MakeSatellite(text, static_cast<int16_t>(10 * static_cast<int>(s) - 300), 9750000);
    }
    for (uint32_t j = 0; j < counts.transponders; ++j) {
        TsInfo ts = MakeTs(12000 + j, 27500, POL_VERTICAL, static_cast<uint8_t>(j % satSlots));
        spec.transponders.push_back(ts.tp);
    }
    for (uint32_t p = 0; p < counts.providers; ++p) {
        std::snprintf(text, sizeof text, "Provider %u", p);
        spec.providers.push_back(MakeProvider(text));
    }
    for (uint32_t t = 0; t < counts.transportStreams; ++t) {
        TsInfo ts = MakeTs(10700 + t, 22000, t % 2 ? POL_VERTICAL : POL_HORIZONTAL,
                           static_cast<uint8_t>(t % satSlots));
        ts.id1 = static_cast<uint16_t>(t + 1);
        ts.id2 = 1;
        spec.transportStreams.push_back(ts);
    }
    uint32_t perType[2] = {0, 0}; // numbers as a load gives them: TV 1, 2, ..., radio 1, ...
    std::vector<uint16_t> favEntries;
    for (uint32_t i = 0; i < counts.services; ++i) {
        const uint32_t type = i % 2 ? SVC_TYPE_RADIO : SVC_TYPE_TV;
        std::snprintf(text, sizeof text, "Service %u", i);
        const auto pid = static_cast<uint16_t>(0x100 + 2 * (i % 0xF00));
        ImageService svc;
        svc.record = MakeService(text, type, type == SVC_TYPE_TV ? pid : PID_NONE,
                                 static_cast<uint16_t>(pid + 1));
        svc.tsIndex = counts.transportStreams ? static_cast<int>(i % counts.transportStreams) : 0;
        const uint32_t prv = i % (counts.providers + 1);
        svc.prvIndex = prv < counts.providers ? static_cast<int>(prv) : IMG_NONE;
        spec.services.push_back(svc);
        const uint32_t number = ++perType[type];
        if (favEntries.size() < FAV_MAX_ENTRIES)
            favEntries.push_back(static_cast<uint16_t>((number << 3) | type));
    }
    for (uint32_t g = 0; g < counts.favourites && g < FAV_CAPACITY; ++g) {
        FavInfo& fav = spec.favourites[g];
        std::snprintf(text, sizeof text, "Fav %u", g);
        copyName(fav.name, sizeof fav.name, text);
        fav.count = static_cast<uint16_t>(favEntries.size());
        std::copy(favEntries.begin(), favEntries.end(), fav.entries);
    }
    for (uint32_t k = 0; k < counts.kind9 + counts.kind10; ++k) {
        Kind9Record record{};
        for (size_t b = 0; b < sizeof record.bytes; ++b)
            record.bytes[b] = static_cast<uint8_t>(k + b);
        (k < counts.kind9 ? spec.kind9 : spec.kind10).push_back(record);
    }
    return spec;
}

bool BuildImage(const ImageSpec& spec) {
    if (DB_InitFlashMap(DB_MAX_SVC_SECTORS) != 0) return false;
    clearTable(g_SvcIndex);
    clearTable(g_PrvIndex);
    clearTable(g_Kind9Index);
    clearTable(g_Kind10Index);
    clearTable(g_TsIndex);
    clearTable(g_TpIndex);
    clearTable(g_SatIndex);
    clearTable(g_FavIndex);
    DB_FormatAll();

    std::vector<uint32_t> prvAddresses, tsAddresses;
    if (!writeAll(spec.transponders, DB_WriteTpRecord, g_TpIndex) ||
        !writeAll(spec.providers, DB_WritePrvRecord, g_PrvIndex, &prvAddresses) ||
        !writeAll(spec.transportStreams, DB_WriteTsRecord, g_TsIndex, &tsAddresses))
        return false;

    if (spec.services.size() > SvcIndexTable::capacity) return false;
    for (const ImageService& svc : spec.services) {
        if (!inRange(svc.tsIndex, tsAddresses.size())) return false;
        if (svc.prvIndex != IMG_NONE && !inRange(svc.prvIndex, prvAddresses.size())) return false;
        SvcInfo record = svc.record;
        record.tsRef = tsAddresses[static_cast<size_t>(svc.tsIndex)];
        record.prvRef =
            svc.prvIndex == IMG_NONE ? 0 : prvAddresses[static_cast<size_t>(svc.prvIndex)];
        uint32_t address = 0;
        if (DB_WriteSvcRecord(&record, &address) != 0) return false;
        g_SvcIndex.addresses[g_SvcIndex.count++] = address;
    }

    return writeAll(spec.satellites, DB_WriteSatRecord, g_SatIndex) &&
           writeAll(spec.favourites, DB_WriteFavRecord, g_FavIndex) &&
           writeAll(spec.kind9, DB_WriteKind9Record, g_Kind9Index) &&
           writeAll(spec.kind10, DB_WriteKind10Record, g_Kind10Index) && DB_SaveIndexBank() == 0;
}

void ResetLibraryKeepImage() {
    std::vector<uint8_t> image(g_FlashImage, g_FlashImage + FLASH_DB_SIZE);
    DB_ResetAllState();
    std::memcpy(g_FlashImage, image.data(), FLASH_DB_SIZE);
    DB_InitFlashMap(DB_MAX_SVC_SECTORS);
}
