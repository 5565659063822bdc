#include "comports.h"

#include <QSerialPortInfo>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr const char* PORTS_VARIABLE = "QUORVANDELIX_PORTS";

std::vector<std::string> ListedPorts() {
    std::vector<std::string> ports;
    if (const char* listed = std::getenv(PORTS_VARIABLE)) {
        std::string rest = listed;
        size_t start = 0;
        for (;;) {
            const size_t colon = rest.find(':', start);
            ports.push_back(rest.substr(start, colon - start));
            if (colon == std::string::npos) break;
            start = colon + 1;
        }
        return ports;
    }
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.push_back(info.systemLocation().toStdString());
    std::sort(ports.begin(), ports.end());
    return ports;
}

} // namespace

std::string ComPortDevice(unsigned n) {
    const std::vector<std::string> ports = ListedPorts();
    if (n == 0 || n > ports.size()) return {};
    return ports[n - 1];
}
