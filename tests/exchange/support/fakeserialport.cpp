#include "fakeserialport.h"

#include <algorithm>

PortOpenResult FakeSerialPort::Open(const std::string&) {
    open = openResult == PortOpenResult::Opened;
    return openResult;
}

void FakeSerialPort::Close() {
    open = false;
}

int64_t FakeSerialPort::Queued() {
    if (!open || failed) return -1;
    return chunks.empty() ? 0 : static_cast<int64_t>(chunks.front().size());
}

int64_t FakeSerialPort::Read(uint8_t* buffer, size_t count) {
    if (!open || failed) return -1;
    if (chunks.empty()) return 0;
    Bytes& chunk = chunks.front();
    const size_t taken = std::min(count, chunk.size());
    std::copy_n(chunk.begin(), taken, buffer);
    chunk.erase(chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(taken));
    if (chunk.empty()) chunks.pop_front();
    return static_cast<int64_t>(taken);
}

int64_t FakeSerialPort::Write(const uint8_t* bytes, size_t count) {
    if (!open || failed) return -1;
    writes.emplace_back(bytes, bytes + count);
    if (onWrite) onWrite(writes.back());
    return static_cast<int64_t>(count);
}

int64_t FakeSerialPort::Unsent() {
    if (!open || failed) return -1;
    int64_t unsent = 0;
    for (size_t i = stallAt; i < writes.size(); ++i)
        unsent += static_cast<int64_t>(writes[i].size());
    return unsent;
}

void FakeSerialPort::Purge(unsigned what) {
    if (what & PURGE_INPUT) {
        chunks.clear();
        ++inputPurges;
    }
}
