#include "enginetest.h"

#include <algorithm>
#include <filesystem>
#include <random>

TransferTiming EngineTest::FastTiming() {
    TransferTiming timing;
    timing.pollInterval = std::chrono::milliseconds(1);
    timing.readBase = std::chrono::milliseconds(50);
    timing.lineBytesPerSecond = 1000000;
    return timing;
}

TransferEngine& EngineTest::Start(int direction, int kind, const std::string& sendFile,
                                  TransferTiming timing) {
    TransferSettings settings;
    settings.direction = direction;
    settings.kind = kind;
    settings.transferPath = sendFile;
    settings.receivePath = ReceivePath();
    engine = std::make_unique<TransferEngine>(port, owner, flags, settings, clock, timing);
    engine->Begin();
    return *engine;
}

void EngineTest::NextCase() {
    port = FakeSerialPort();
    owner = FakeOwner();
    for (const auto& name : dir.Entries())
        std::filesystem::remove(dir.Path() / name);
}

bool EngineTest::TurnWith(const Bytes& chunk) {
    port.Push(chunk);
    return engine->Turn();
}

void EngineTest::ServeBlocks(const Bytes& data, size_t faultAt, size_t faultLength) {
    auto served = std::make_shared<size_t>(0);
    port.onWrite = [this, data, faultAt, faultLength, served](const Bytes& written) {
        if (written.size() != 11 || written[0] != 0x02 || written[1] != 0x06) return;
        const uint32_t length = written[2] | written[3] << 8 | written[4] << 16 | written[5] << 24;
        const uint32_t offset = written[6] | written[7] << 8 | written[8] << 16 | written[9] << 24;
        const size_t index = (*served)++;
        const size_t count = index == faultAt ? faultLength : length;
        if (count == 0 || offset + count > data.size()) return;
        port.Push(Bytes(data.begin() + offset, data.begin() + offset + count));
    };
}

Bytes Pattern(size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    std::generate(bytes.begin(), bytes.end(), [&random] { return static_cast<uint8_t>(random()); });
    return bytes;
}
