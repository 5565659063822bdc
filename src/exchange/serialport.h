// The serial port as the transfer engine sees it: a byte pipe with an input
// queue and an output queue, polled, never blocking. The editor's port is a
// QSerialPort (QtComPort); the tests script one (FakeSerialPort).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

enum class PortOpenResult {
    Opened,
    NoDevice,      // the device could not be opened ("CreateFile FAIL")
    SettingsFailed // the line settings could not be applied ("Open CommPort fail")
};

enum PortPurge : unsigned { PURGE_INPUT = 1, PURGE_OUTPUT = 2 };

class ISerialPort {
  public:
    virtual ~ISerialPort() = default;

    // Opens the device at 115200 baud, 8 data bits, no parity, one stop bit,
    // no flow control, both queues empty. On failure nothing stays open.
    virtual PortOpenResult Open(const std::string& device) = 0;
    // Why the last Open failed, in a few words for the user: "no such port",
    // "permission denied (add yourself to the dialout group)", "busy", or the
    // system's own text; empty after an Open that succeeded.
    virtual std::string OpenError() const { return {}; }
    // Drops both queues and closes; closing a closed port does nothing.
    virtual void Close() = 0;
    // Bytes received and not yet read; -1 once the port failed (a vanished
    // device) or is closed.
    virtual int64_t Queued() = 0;
    // Reads at most count of the bytes already queued, without waiting;
    // -1 on a port error.
    virtual int64_t Read(uint8_t* buffer, size_t count) = 0;
    // Hands count bytes to the port for sending; returns the count taken, or
    // -1 on a port error.
    virtual int64_t Write(const uint8_t* bytes, size_t count) = 0;
    // Bytes handed over and not yet sent; -1 on a port error.
    virtual int64_t Unsent() = 0;
    // Drops what is queued in the given directions (PortPurge bits).
    virtual void Purge(unsigned what) = 0;
};
