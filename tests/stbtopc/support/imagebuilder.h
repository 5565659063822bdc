// Test-only builder of valid flash images, so that no test needs a file from
// a receiver. The image is made the way the database itself makes one:
// the store is formatted, every record is written with the store's writers
// in the order a commit writes them (transponders, providers, transport
// streams, services, satellites, favourite groups, then kinds 9 and 10), its
// address is appended to the kind's index block, and the index bank is saved
// to the primary and the backup.
//
// Use:
//   ImageSpec spec = SampleSpec({.services = 100, .transportStreams = 10});
//   spec.services[0].record.videoPid = 0x100;   // adjust what the test needs
//   ASSERT_TRUE(BuildImage(spec));              // g_FlashImage now holds it
//   ResetLibraryKeepImage();                    // optional: cold start, image kept
//
// BuildImage sets the flash map to six service sectors and replaces the
// store's and the index blocks' content; it touches no other state.
#pragma once
#include <cstdint>
#include <vector>

#include "dbrecords.h"

constexpr int IMG_NONE = -1;

// A service and the records it points to, by position in ImageSpec's lists.
// The builder stores the flash addresses of those records in the service's
// tsRef and prvRef (prvRef 0 for IMG_NONE).
struct ImageService {
    SvcInfo record{};
    int tsIndex = 0;
    int prvIndex = IMG_NONE;
};

// The content of an image, one list per record kind. The satellites and
// favourite groups default to the full tables of zero records, as a commit
// writes them; any list may be shortened or left empty.
struct ImageSpec {
    std::vector<TpInfo> transponders;
    std::vector<PrvInfo> providers;
    std::vector<TsInfo> transportStreams;
    std::vector<ImageService> services;
    std::vector<SatInfo> satellites = std::vector<SatInfo>(SAT_CAPACITY);
    std::vector<FavInfo> favourites = std::vector<FavInfo>(FAV_CAPACITY);
    std::vector<Kind9Record> kind9;
    std::vector<Kind10Record> kind10;
};

// Record counts for SampleSpec.
struct ImageCounts {
    uint32_t services = 0;
    uint32_t transportStreams = 1; // services are spread over them in turn
    uint32_t transponders = 0;
    uint32_t providers = 0;  // every other service gets one, in turn
    uint32_t satellites = 0; // in-use satellites in slots 0..; the rest zero
    uint32_t favourites = 0; // groups 0.. holding services 0.. (up to 200)
    uint32_t kind9 = 0;      // records of byte pattern, nothing reads them
    uint32_t kind10 = 0;
};

// Deterministic records of the given counts: service i is "Service <i>",
// TV when i is even and radio when odd, with distinct PIDs; transport stream
// t sits on satellite t % max(satellites, 1) at 10700 + t MHz; provider p is
// "Provider <p>"; service i has provider i % (providers + 1), none when
// that equals providers. Satellites and groups beyond their tables are left
// out; other counts above the capacities are kept, so BuildImage fails.
ImageSpec SampleSpec(const ImageCounts& counts);

// Writes spec into g_FlashImage as a valid database (both banks good).
// Returns false, with the image in an unspecified state, when a list is
// longer than its kind's capacity, a reference names no record, or a write
// fails.
bool BuildImage(const ImageSpec& spec);

// Brings the whole library back to its start-up state (DB_ResetAllState)
// but keeps g_FlashImage, then sets the flash map to six service sectors:
// the state in which the document opens an image.
void ResetLibraryKeepImage();

// Small record makers for specs written by hand.
SvcInfo MakeService(const char* name, uint32_t type, uint16_t videoPid, uint16_t audioPid);
TsInfo MakeTs(uint32_t frequencyMHz, uint16_t symbolRate, uint8_t polarisation, uint8_t satIndex);
PrvInfo MakeProvider(const char* name);
SatInfo MakeSatellite(const char* name, int16_t orbitTenths, uint32_t lnbKHz);
