// A transfer engine over a scripted port, a recording owner and a scratch
// folder, driven turn by turn on the test's thread.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "fakeowner.h"
#include "fakeserialport.h"
#include "scratchdir.h"
#include "transferengine.h"

class EngineTest : public ::testing::Test {
  protected:
    // Short waits: a block that does not come is given up after 50 ms.
    static TransferTiming FastTiming();

    // An engine for the direction and kind; uploads go to "ChannlList.cdl"
    // in the scratch folder, downloads come from `sendFile` when given.
    TransferEngine& Start(int direction, int kind, const std::string& sendFile = {},
                          TransferTiming timing = FastTiming());
    // The start of the next case of a table: a new port and owner, and the
    // scratch folder emptied.
    void NextCase();
    // Pushes the chunk and runs one turn; returns the turn's result.
    bool TurnWith(const Bytes& chunk);

    // Answers every block request with the asked slice of `data`; the block
    // numbered `faultAt` gets only `faultLength` bytes (or none).
    void ServeBlocks(const Bytes& data, size_t faultAt = SIZE_MAX, size_t faultLength = 0);

    std::string ReceivePath() const { return dir.File("ChannlList.cdl"); }

    ScratchDir dir;
    FakeSerialPort port;
    FakeOwner owner;
    TransferFlags flags;
    UtcClock clock = SystemUtcNow;
    std::unique_ptr<TransferEngine> engine;
};

// Deterministic bytes, not all alike.
Bytes Pattern(size_t size, uint32_t seed);
