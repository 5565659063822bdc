// The small channel list that most of the editor's tests open: one satellite
// with one or two transponders and a few services on them, made as an
// ImageSpec for BuildImage.
//
// Use:
//   ImageSpec spec = SmallListSpec(MakeSatellite("Astra", 192, 9750000), 0,
//                                  {{11000}, {12000, 27500, POL_VERTICAL}});
//   AddTvServices(spec, 0, {"A1", "A2"});    // on the first transponder
//   spec.services.push_back({MakeService("Radio", SVC_TYPE_RADIO, 0, 302), 1});
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "imagebuilder.h"

struct SmallListTp {
    uint32_t frequencyMHz;
    uint16_t symbolRate = 27500;
    uint8_t polarisation = POL_HORIZONTAL;
};

// `satellite` in slot `slot` and, for each entry of `tps` in order, a
// transport stream on that satellite (id1 1, 2, ...) with its transponder
// stored too: spec.transponders[i] is the key of transport stream i. No
// services yet; the other satellite slots and the groups are empty.
ImageSpec SmallListSpec(const SatInfo& satellite, uint8_t slot,
                        const std::vector<SmallListTp>& tps);

// Appends a TV service of each name (video PID 256, audio PID 257) on
// transport stream tsIndex.
void AddTvServices(ImageSpec& spec, int tsIndex, const std::vector<std::string>& names);
