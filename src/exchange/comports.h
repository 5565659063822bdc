// Which device stands behind "COMn". The n-th (from 1) of the serial ports the
// system lists, sorted by their device path; or, when QUORVANDELIX_PORTS is
// set, the n-th of its colon-separated device paths.
#pragma once
#include <string>

// The device path of COMn, or "" when there is no n-th port.
std::string ComPortDevice(unsigned n);
