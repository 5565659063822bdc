// The serial link to the receiver: opens "COMn" at 115200 baud 8N1 without
// flow control and runs the transfer protocol on a worker thread of its own,
// one worker per successful open. The owner (the transfer dialog) opens and
// closes the link on its thread and hears of the worker's progress through
// ITransferOwner, queued to that thread.
#pragma once
#include <atomic>
#include <chrono>
#include <memory>
#include <string>

#include "comframes.h"
#include "timereply.h"
#include "transferengine.h"
#include "transferowner.h"

class QObject;
class QThread;
struct ComWorker;

class CCOM {
  public:
    CCOM();
    CCOM(const CCOM&) = delete;
    CCOM& operator=(const CCOM&) = delete;
    // Closes an open link and waits for its worker: no worker outlives it.
    virtual ~CCOM();

    // Takes the owner's settings snapshot, waits (bounded) for the previous
    // worker to end, and starts a worker that opens COM m_nPort. Returns 1
    // once the port is open; 0 when the link is already open, or after
    // telling the owner "CreateFile FAIL" (no such port, or it cannot be
    // opened) or "Open CommPort fail" (the line settings do not apply).
    int OpenPort();
    // Why the last OpenPort failed, for the user ("no such port",
    // "permission denied (...)", "busy" or the system's text); empty after
    // one that opened.
    const std::string& LastOpenError() const { return m_openError; }
    // While the port is open (a worker runs over it).
    bool IsOpen() const { return m_bOpen.load() != 0; }
    // Returns 1 after telling the worker to stop (it purges and closes the
    // port and ends within about a second); 0 when the link was not open.
    // Does not wait.
    int ClosePort();
    void ClosePortIfOpen();
    // Abandons the transfer: the owner goes idle, the port closes, the worker ends.
    void CancelTransfer();

    void SetOwnerDialog(ITransferOwner* owner) { m_pOwnerDlg = owner; }
    // True from a successful OpenPort until the worker has made its exit steps.
    bool IsWorkerRunning() const;
    // Waits at most `bound` for the worker to end; true when none runs.
    bool WaitForWorker(std::chrono::milliseconds bound);

    // Time source of the time reply and the protocol's waits (tests shorten them).
    void SetUtcClock(UtcClock clock) { m_clock = std::move(clock); }
    void SetTransferTiming(const TransferTiming& timing) { m_timing = timing; }

    // The worker's body over its own port; returns 0.
    static int TransferThread(ComWorker& worker);

    unsigned char m_nPort = 1; // COM port number, from 1
    int m_nBaud = 115200;      // always 115200
    int m_nListOption = 0;     // "Keep channel list" (1) or "Clear channel list" (0); unused

  private:
    std::string m_openError;
    void JoinWorker();

    std::atomic<int> m_bOpen{0};
    ITransferOwner* m_pOwnerDlg = nullptr;
    std::unique_ptr<QObject> m_pOwnerContext; // lives on the owner's thread
    std::unique_ptr<QThread> m_pThread;
    std::shared_ptr<ComWorker> m_pWorker; // its stop and cancel flags among it
    UtcClock m_clock = SystemUtcNow;
    TransferTiming m_timing;
};
