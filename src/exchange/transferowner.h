// What the serial link needs from the window that runs a transfer (the
// transfer dialog): a snapshot of its settings before the port opens, and
// the notifications of the worker thread. The worker never calls the window
// directly: the link queues every notification to the owner's thread, in
// order, and never waits for it.
#pragma once
#include <string>

// Direction combo indexes.
enum TransferDirection : int { XFER_DIR_DOWNLOAD = 0, XFER_DIR_UPLOAD = 1 };
// Kind combo indexes.
enum TransferKind : int { XFER_KIND_CHANNEL = 0, XFER_KIND_PROGRAM = 1, XFER_KIND_KEY = 2 };

// Everything the worker reads of the dialog, taken once on the owner's thread.
struct TransferSettings {
    int direction = XFER_DIR_DOWNLOAD;
    int kind = XFER_KIND_PROGRAM;
    std::string transferPath; // the file to send (download); empty when none
    std::string receivePath;  // the name that receives an upload
};

enum class MessageIcon { None, Stop };

enum class TransferOutcome {
    None,        // no file was made
    FileMade,    // an upload is complete under the reported name
    PartialKept, // an upload ended early; its ".part" file is kept
};

// The notifications of one transfer, in the order the worker makes them.
class ITransferSink {
  public:
    virtual ~ITransferSink() = default;
    virtual void SetTransferProgress(int percent) = 0; // 0-100
    virtual void SetTransferIdle() = 0;                // the dialog's idle state
    virtual void HideTransferStatus() = 0;             // hide static 1005 ("Flash Write...")
    virtual void ClearTransferPath() = 0;              // an upload has begun
    virtual void ShowTransferMessage(const std::string& text, MessageIcon icon) = 0;
    // The receiver's first frame (its hello) has arrived.
    virtual void ReceiverAnswered() {}
    // The last notification of every worker: what it leaves on disk.
    virtual void TransferEnded(TransferOutcome outcome, const std::string& path) = 0;
};

// The transfer dialog implements this. CCOM::OpenPort takes the snapshot on
// the calling thread and reports its own failures ("CreateFile FAIL", "Open
// CommPort fail") with a direct ShowTransferMessage call.
class ITransferOwner : public ITransferSink {
  public:
    virtual TransferSettings TransferSettingsSnapshot() = 0;
};
