// A stand-in for the receiver on the master side of a PtyPair. It writes each
// frame in one write; after a frame that gets an answer it reads the answer
// in a loop to its full count (a pty hands 4096 bytes over in pieces), after
// one that gets none it lets at least 50 ms pass before its next frame, so
// that no two frames reach the link in one read. Every wait is bounded.
#pragma once
#include <atomic>
#include <chrono>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "ptypair.h"

using Bytes = std::vector<uint8_t>;

// How the receiver misbehaves during an upload, at block `at` (from 0).
enum class BlockFault {
    None,
    Short,       // sends one byte less, then nothing
    Silent,      // sends nothing
    CloseMaster, // sends half the block, then pulls the cable
    StopLink,    // sends half the block, then waits to be told to go on
};

struct UploadScript {
    Bytes data; // the receiver's container, served by offset
    bool garbageBetweenFrames = false;
    BlockFault fault = BlockFault::None;
    size_t faultAt = 0;
};

struct BlockRequest {
    uint32_t length = 0;
    uint32_t offset = 0;
};

struct UploadReport {
    std::string error; // empty when the receiver saw what it expected
    Bytes helloReply;
    std::vector<BlockRequest> requests;
    bool uploadDone = false; // 02 07 03 arrived
};

// One frame of a download, from the receiver.
struct DownloadStep {
    enum Kind { Data, Time, Garbage, Done } kind = Data;
    uint16_t length = 0;
    uint32_t offset = 0;
};

struct DownloadReport {
    std::string error;
    Bytes helloReply;
    std::vector<Bytes> answers; // one per Data and Time step, in order
};

class ReceiverSim {
  public:
    explicit ReceiverSim(PtyPair& pty) : m_pty(pty) {}

    // Bytes per second of the receiver's data, 0 for as fast as the pty goes.
    void SetPace(uint32_t bytesPerSecond) { m_pace = bytesPerSecond; }
    // How long it waits for each answer.
    void SetAnswerTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }

    UploadReport RunUpload(const UploadScript& script);
    DownloadReport RunDownload(const std::vector<DownloadStep>& steps);
    // Sends a hello and reads the 4-byte reply; false when none comes.
    bool Hello(Bytes& reply);

    // For BlockFault::StopLink: the simulator has sent half the block.
    bool WaitUntilHalfBlockSent(std::chrono::milliseconds bound);

    // The frame primitives.
    bool SendFrame(const Bytes& frame);
    bool SendData(const uint8_t* data, size_t size);
    bool ReadExact(size_t count, Bytes& out);
    void Pause(); // the gap before a frame that follows one with no answer

  private:
    PtyPair& m_pty;
    uint32_t m_pace = 0;
    std::chrono::milliseconds m_timeout{10000};
    std::atomic<bool> m_halfSent{false};
};
