// The PC side of the transfer protocol, one worker's worth: it answers the
// receiver's hello, then either asks the receiver for its data block by block
// into a file (upload) or serves the receiver's requests from a file
// (download). Plain C++ over an ISerialPort: the link (CCOM) runs it on its
// worker thread, the tests run it turn by turn over a scripted port.
#pragma once
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "comframes.h"
#include "receivefile.h"
#include "serialport.h"
#include "timereply.h"
#include "transferflags.h"
#include "transferowner.h"

// Offset of the next upload block.
extern std::atomic<uint32_t> g_nXferOffset;

struct TransferTiming {
    // Wait between turns and between polls of a queue.
    std::chrono::milliseconds pollInterval{10};
    // A block may take this long plus twice its line time before it counts
    // as short (about 1.7 s for 4096 bytes).
    std::chrono::milliseconds readBase{1000};
    uint32_t lineBytesPerSecond = 11520; // 115200 baud, 10 bits a byte
    // A write may take this long plus twice its line time before it counts
    // as failed (about 12.4 s for the 65,535 bytes of the largest request).
    std::chrono::milliseconds writeBase{1000};
    // Polls of the output queue before a block request goes out anyway.
    int txEmptyPolls = 1000;
};

class TransferEngine {
  public:
    TransferEngine(ISerialPort& port, ITransferSink& sink, const TransferFlags& flags,
                   TransferSettings settings, UtcClock clock = SystemUtcNow,
                   TransferTiming timing = {});
    TransferEngine(const TransferEngine&) = delete;
    TransferEngine& operator=(const TransferEngine&) = delete;
    ~TransferEngine();

    // The whole worker over an open port: Begin, turns with a wait for stop
    // or cancel between them, then Finish. Returns 0.
    int Run();
    // Progress to 0 before the first turn.
    void Begin();
    // One turn: reads at most 10 queued bytes and acts by state. A frame
    // counts only when it begins at the first byte read; the bytes after it
    // are dropped. Returns false once the worker should leave (the port is
    // then closed).
    bool Turn();
    // The cancel signal: idle, close the port, state 0; the worker leaves.
    void Cancel();
    // Exit steps, once, on every way out: close the files and the port, hide
    // the status text, idle, report the end.
    void Finish();

    uint8_t State() const { return m_state; }

    // Link operations. Each fails (0 bytes, a short count) on a port error,
    // on stop or cancel, or when its time runs out; none waits longer.
    size_t ReadData(uint8_t* buffer, size_t count);
    size_t WriteData(const uint8_t* bytes, size_t count);
    int WaitTxEmpty(int polls);
    int64_t WaitRxCount(size_t count);
    // Sends a block request and reads the answer; returns the bytes read.
    size_t RequestBlock(uint8_t* buffer, uint32_t offset, uint32_t length);
    // Sends 02 07 03; false when it did not go out.
    bool SendUploadDone();
    // Sends the time reply: 0 sent, 1 no UTC time (nothing sent), 2 not sent.
    int SendTimeReply();

  private:
    void OnWaitingForHello(const uint8_t* bytes, size_t count);
    void OnUploading(const uint8_t* bytes, size_t count);
    void OnDownloading(const uint8_t* bytes, size_t count);
    void ReceiveAllBlocks();
    void ServeDataRequest(uint16_t length, uint32_t offset);
    bool OpenTransferFile();
    void SendHelloReply(uint8_t code);
    void ShowProgress(int percent);
    void Fail(const char* text); // stop-icon message, close the port, leave
    // A write of the transfer that did not go out in its time: "Data Send
    // Error", the port closed, the worker leaves. A vanished port, stop and
    // cancel are left to their own handling.
    void SendFailed();
    // How long count bytes may take on the line: base plus twice their time.
    std::chrono::milliseconds LineBound(std::chrono::milliseconds base, size_t count) const;
    void PortVanished();         // the port failed: tell what broke off, leave
    void ClosePort();
    bool Signalled() const { return m_flags.Pending() != TransferSignal::None; }

    ISerialPort& m_port;
    ITransferSink& m_sink;
    const TransferFlags& m_flags;
    const TransferSettings m_settings;
    const UtcClock m_clock;
    const TransferTiming m_timing;

    uint8_t m_state = COM_STATE_WAIT_HELLO;
    bool m_leave = false;
    bool m_portOpen = true;
    bool m_portFailed = false;
    bool m_finished = false;
    int m_lastProgress = -1;

    ReceiveFile m_receiveFile;
    int m_sendFd = -1;
    uint64_t m_sendLength = 0;
    std::vector<uint8_t> m_buffer; // one block or one data request's answer

    TransferOutcome m_outcome = TransferOutcome::None;
    std::string m_outcomePath;
};
