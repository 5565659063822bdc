#include "smalllist.h"

ImageSpec SmallListSpec(const SatInfo& satellite, uint8_t slot,
                        const std::vector<SmallListTp>& tps) {
    ImageSpec spec;
    spec.satellites[slot] = satellite;
    for (const SmallListTp& tp : tps) {
        TsInfo ts = MakeTs(tp.frequencyMHz, tp.symbolRate, tp.polarisation, slot);
        ts.id1 = static_cast<uint16_t>(spec.transportStreams.size() + 1);
        spec.transportStreams.push_back(ts);
        spec.transponders.push_back(ts.tp);
    }
    return spec;
}

void AddTvServices(ImageSpec& spec, int tsIndex, const std::vector<std::string>& names) {
    for (const std::string& name : names)
        spec.services.push_back({MakeService(name.c_str(), SVC_TYPE_TV, 256, 257), tsIndex});
}
