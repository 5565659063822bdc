// A scripted serial port: input arrives as chunks, each taken by exactly one
// read (a chunk is what the device had received when the worker looked);
// every write is recorded and may be answered with further chunks.
#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "serialport.h"

using Bytes = std::vector<uint8_t>;

class FakeSerialPort final : public ISerialPort {
  public:
    PortOpenResult Open(const std::string& device) override;
    void Close() override;
    int64_t Queued() override;
    int64_t Read(uint8_t* buffer, size_t count) override;
    int64_t Write(const uint8_t* bytes, size_t count) override;
    int64_t Unsent() override;
    void Purge(unsigned what) override;

    void Push(Bytes chunk) { chunks.push_back(std::move(chunk)); }

    std::deque<Bytes> chunks;
    std::vector<Bytes> writes;
    // Called after each write with the bytes written; may push answers.
    std::function<void(const Bytes& written)> onWrite;
    PortOpenResult openResult = PortOpenResult::Opened;
    bool open = true;
    bool failed = false; // a vanished device: every call fails
    // A receiver that stops reading: the bytes of write number stallAt (from
    // 0) and of every later write stay unsent.
    size_t stallAt = SIZE_MAX;
    int inputPurges = 0;
};
