#include "transferengine.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::atomic<uint32_t> g_nXferOffset{0};

namespace {

using Clock = std::chrono::steady_clock;

bool IsFrame(const uint8_t* bytes, size_t count, uint8_t command, size_t size) {
    return count >= size && bytes[0] == COM_STX && bytes[1] == command;
}

void PutLe32(uint8_t* out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetLe32(const uint8_t* in) {
    return uint32_t{in[0]} | uint32_t{in[1]} << 8 | uint32_t{in[2]} << 16 | uint32_t{in[3]} << 24;
}

} // namespace

TransferEngine::TransferEngine(ISerialPort& port, ITransferSink& sink, const TransferFlags& flags,
                               TransferSettings settings, UtcClock clock, TransferTiming timing)
    : m_port(port), m_sink(sink), m_flags(flags), m_settings(std::move(settings)),
      m_clock(std::move(clock)), m_timing(timing) {}

TransferEngine::~TransferEngine() {
    if (m_sendFd >= 0) ::close(m_sendFd);
}

// ---- The worker ------------------------------------------------------------

int TransferEngine::Run() {
    Begin();
    while (Turn()) {
        const TransferSignal signal = m_flags.WaitFor(m_timing.pollInterval);
        if (signal == TransferSignal::Stop) break;
        if (signal == TransferSignal::Cancel) {
            Cancel();
            break;
        }
    }
    Finish();
    return 0;
}

void TransferEngine::Begin() {
    ShowProgress(0);
}

bool TransferEngine::Turn() {
    if (m_leave) return false;
    std::array<uint8_t, COM_READ_CHUNK> bytes{};
    const size_t count = ReadData(bytes.data(), bytes.size());
    if (count > 0) {
        switch (m_state) {
        case COM_STATE_WAIT_HELLO:
            OnWaitingForHello(bytes.data(), count);
            break;
        case COM_STATE_UPLOAD:
            OnUploading(bytes.data(), count);
            break;
        case COM_STATE_DOWNLOAD:
            OnDownloading(bytes.data(), count);
            break;
        case COM_STATE_FINISHED:
            m_sink.ShowTransferMessage(COM_TEXT_COMPLETE, MessageIcon::None);
            ClosePort();
            m_leave = true;
            break;
        default:
            break;
        }
    }
    if (m_portFailed && !m_leave) PortVanished();
    return !m_leave;
}

// A device that vanishes ends the worker with what it was doing: a receive
// or a send under way ends as a failed one (an upload's ".part" is kept and
// reported by Finish), a transfer whose last frame had passed as complete;
// before the receiver's hello nothing was under way.
void TransferEngine::PortVanished() {
    switch (m_state) {
    case COM_STATE_UPLOAD:
        return Fail(COM_TEXT_RECEIVE_ERROR);
    case COM_STATE_DOWNLOAD:
        return Fail(COM_TEXT_SEND_ERROR);
    case COM_STATE_FINISHED:
        m_sink.ShowTransferMessage(COM_TEXT_COMPLETE, MessageIcon::None);
        break;
    default:
        break;
    }
    ClosePort();
    m_leave = true;
}

void TransferEngine::Cancel() {
    m_sink.SetTransferIdle();
    ClosePort();
    m_state = COM_STATE_WAIT_HELLO;
    m_leave = true;
}

void TransferEngine::Finish() {
    if (m_finished) return;
    m_finished = true;
    if (m_receiveFile.IsOpen()) {
        m_receiveFile.Close();
        m_outcome = TransferOutcome::PartialKept;
        m_outcomePath = m_receiveFile.PartPath();
    }
    if (m_sendFd >= 0) ::close(m_sendFd);
    m_sendFd = -1;
    ClosePort();
    m_sink.HideTransferStatus();
    m_sink.SetTransferIdle();
    m_sink.TransferEnded(m_outcome, m_outcomePath);
}

// ---- States ----------------------------------------------------------------

void TransferEngine::OnWaitingForHello(const uint8_t* bytes, size_t count) {
    if (!IsFrame(bytes, count, COM_CMD_HELLO, COM_HELLO_SIZE) || bytes[2] != COM_ETX) return;
    m_sink.ReceiverAnswered();
    if (m_settings.direction == XFER_DIR_UPLOAD) {
        // The receiver has no program to send: no reply code exists for it.
        if (m_settings.kind != XFER_KIND_CHANNEL && m_settings.kind != XFER_KIND_KEY)
            return Fail(COM_TEXT_NO_PROGRAM_UPLOAD);
        if (!m_receiveFile.Create(m_settings.receivePath)) return Fail(COM_TEXT_FILE_OPEN_ERROR);
        m_sink.ClearTransferPath();
        m_state = COM_STATE_UPLOAD;
        SendHelloReply(m_settings.kind == XFER_KIND_CHANNEL ? COM_REPLY_UPLOAD_CHANNEL
                                                            : COM_REPLY_UPLOAD_KEY);
        return;
    }
    if (!OpenTransferFile()) return Fail(COM_TEXT_FILE_OPEN_ERROR);
    m_state = COM_STATE_DOWNLOAD;
    SendHelloReply(m_settings.kind == XFER_KIND_CHANNEL ? COM_REPLY_DOWNLOAD_CHANNEL
                   : m_settings.kind == XFER_KIND_KEY   ? COM_REPLY_DOWNLOAD_KEY
                                                        : COM_REPLY_DOWNLOAD_PROGRAM);
}

void TransferEngine::OnUploading(const uint8_t* bytes, size_t count) {
    if (!IsFrame(bytes, count, COM_CMD_UPLOAD_READY, 2)) return;
    ReceiveAllBlocks();
}

void TransferEngine::OnDownloading(const uint8_t* bytes, size_t count) {
    if (IsFrame(bytes, count, COM_CMD_DATA_REQUEST, COM_DATA_REQUEST_SIZE)) {
        ServeDataRequest(static_cast<uint16_t>(bytes[2] | bytes[3] << 8), GetLe32(bytes + 4));
    } else if (IsFrame(bytes, count, COM_CMD_TIME_REQUEST, 2)) {
        if (SendTimeReply() == 2) SendFailed();
    } else if (IsFrame(bytes, count, COM_CMD_DOWNLOAD_DONE, 2)) {
        m_state = COM_STATE_FINISHED;
    }
}

// Asks for the receiver's data in blocks of at most 4096 bytes into the
// ".part" file. On a short block, a full disk, stop or cancel the ".part"
// keeps the blocks before it and the worker leaves; once all arrived the file
// takes its name and the receiver hears 02 07 03.
void TransferEngine::ReceiveAllBlocks() {
    const uint32_t total =
        m_settings.kind == XFER_KIND_CHANNEL ? COM_UPLOAD_CHANNEL_SIZE : COM_UPLOAD_KEY_SIZE;
    m_buffer.resize(COM_BLOCK_SIZE);
    g_nXferOffset = 0;
    uint32_t received = 0;
    while (received < total) {
        if (Signalled()) break;
        const uint32_t length = std::min(COM_BLOCK_SIZE, total - received);
        const uint32_t offset = g_nXferOffset;
        if (RequestBlock(m_buffer.data(), offset, length) < length) {
            // A block cut short by Disconnect or Abort is no receive error.
            if (!Signalled()) Fail(COM_TEXT_RECEIVE_ERROR);
            break;
        }
        if (!m_receiveFile.WriteAt(offset, m_buffer.data(), length)) {
            Fail(COM_TEXT_RECEIVE_ERROR);
            break;
        }
        g_nXferOffset = offset + length;
        received += length;
        ShowProgress(static_cast<int>(uint64_t{received} * 100 / total));
    }
    if (received < total) {
        if (m_flags.Pending() == TransferSignal::Cancel) Cancel();
        ClosePort();
        m_leave = true;
        return; // Finish reports the ".part"
    }
    if (!m_receiveFile.Commit()) {
        m_outcome = TransferOutcome::PartialKept;
        m_outcomePath = m_receiveFile.PartPath();
        return Fail(COM_TEXT_RECEIVE_ERROR);
    }
    m_outcome = TransferOutcome::FileMade;
    m_outcomePath = m_receiveFile.FinalPath();
    // The file is whole either way; a receiver that does not take the end
    // frame would leave the worker waiting for its last bytes.
    if (!SendUploadDone()) SendFailed();
    if (!m_leave) m_state = COM_STATE_FINISHED;
}

// Sends `length` bytes of the file from `offset`; bytes past its end go out
// as 0xFF, so the receiver always gets the count it asked for. A file that
// cannot be read any more ends the transfer with "File Open Error".
void TransferEngine::ServeDataRequest(uint16_t length, uint32_t offset) {
    m_buffer.assign(std::max<size_t>(length, 1), 0xFF);
    size_t filled = 0;
    while (filled < length && offset + uint64_t{filled} < m_sendLength) {
        const ssize_t got = ::pread(m_sendFd, m_buffer.data() + filled, length - filled,
                                    static_cast<off_t>(offset + uint64_t{filled}));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return Fail(COM_TEXT_FILE_OPEN_ERROR);
        if (got == 0) break; // the file shrank: the rest stays 0xFF
        filled += static_cast<size_t>(got);
    }
    if (length > 0 && WriteData(m_buffer.data(), length) != length) return SendFailed();
    ShowProgress(m_sendLength == 0 ? 100
                                   : static_cast<int>(std::min<uint64_t>(
                                         100, (uint64_t{offset} + length) * 100 / m_sendLength)));
}

bool TransferEngine::OpenTransferFile() {
    if (m_settings.transferPath.empty()) return false;
    const int fd = ::open(m_settings.transferPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    m_sendFd = fd;
    m_sendLength = static_cast<uint64_t>(st.st_size);
    return true;
}

void TransferEngine::SendHelloReply(uint8_t code) {
    const std::array<uint8_t, COM_HELLO_REPLY_SIZE> reply{COM_STX, COM_CMD_HELLO, code, COM_ETX};
    if (WriteData(reply.data(), reply.size()) != reply.size()) SendFailed();
}

void TransferEngine::ShowProgress(int percent) {
    percent = std::clamp(percent, 0, 100);
    if (percent == m_lastProgress) return;
    m_lastProgress = percent;
    m_sink.SetTransferProgress(percent);
}

void TransferEngine::Fail(const char* text) {
    m_sink.ShowTransferMessage(text, MessageIcon::Stop);
    ClosePort();
    m_leave = true;
}

// A vanished device is told at the end of the turn (PortVanished), stop and
// cancel end the worker without a word, and a transfer already ended says
// nothing more; what is left is a receiver that stopped reading.
void TransferEngine::SendFailed() {
    if (m_leave || !m_portOpen || Signalled() || m_portFailed) return;
    Fail(COM_TEXT_SEND_ERROR);
}

void TransferEngine::ClosePort() {
    if (!m_portOpen) return;
    m_port.Purge(PURGE_INPUT | PURGE_OUTPUT);
    m_port.Close();
    m_portOpen = false;
}

// ---- Link operations -------------------------------------------------------

// Reads only what is queued; 0 when nothing is, or on a port error (which
// ends the worker at the end of its turn).
size_t TransferEngine::ReadData(uint8_t* buffer, size_t count) {
    if (!m_portOpen || m_portFailed) return 0;
    const int64_t queued = m_port.Queued();
    if (queued < 0) m_portFailed = true;
    if (queued <= 0) return 0;
    const int64_t got = m_port.Read(buffer, std::min<size_t>(count, static_cast<size_t>(queued)));
    if (got < 0) m_portFailed = true;
    return got > 0 ? static_cast<size_t>(got) : 0;
}

// Hands the bytes to the port and waits until they have left it; 0 when the
// port fails, stop or cancel comes, or the write time runs out.
size_t TransferEngine::WriteData(const uint8_t* bytes, size_t count) {
    if (!m_portOpen || m_portFailed) return 0;
    if (m_port.Write(bytes, count) != static_cast<int64_t>(count)) {
        m_portFailed = true;
        return 0;
    }
    const auto deadline = Clock::now() + LineBound(m_timing.writeBase, count);
    for (;;) {
        const int64_t unsent = m_port.Unsent();
        if (unsent < 0) {
            m_portFailed = true;
            return 0;
        }
        if (unsent == 0) return count;
        if (Signalled() || Clock::now() >= deadline) return 0;
        m_flags.WaitFor(m_timing.pollInterval);
    }
}

std::chrono::milliseconds TransferEngine::LineBound(std::chrono::milliseconds base,
                                                    size_t count) const {
    const uint32_t rate = std::max<uint32_t>(m_timing.lineBytesPerSecond, 1);
    return base + 2 * std::chrono::milliseconds(uint64_t{count} * 1000 / rate);
}

// Polls the output queue until it is empty, at most `polls` times; gives up
// at once on stop, cancel or a port error. Returns 0.
int TransferEngine::WaitTxEmpty(int polls) {
    for (int poll = 0; poll < polls; ++poll) {
        const int64_t unsent = m_port.Unsent();
        if (unsent < 0) m_portFailed = true;
        if (unsent <= 0 || Signalled()) break;
        m_flags.WaitFor(m_timing.pollInterval);
    }
    return 0;
}

// Waits until at least `count` bytes are queued and returns the queued count;
// gives up with what is queued (fewer) on stop, cancel or when the block's
// time runs out, and with -1 on a port error.
int64_t TransferEngine::WaitRxCount(size_t count) {
    const auto deadline = Clock::now() + LineBound(m_timing.readBase, count);
    for (;;) {
        const int64_t queued = m_port.Queued();
        if (queued < 0) {
            m_portFailed = true;
            return -1;
        }
        if (static_cast<uint64_t>(queued) >= count || Signalled() || Clock::now() >= deadline)
            return queued;
        m_flags.WaitFor(m_timing.pollInterval);
    }
}

// Input is purged first: a stray byte (the 03 of an upload-ready frame read
// alone) would otherwise be taken for the first byte of the block.
size_t TransferEngine::RequestBlock(uint8_t* buffer, uint32_t offset, uint32_t length) {
    std::array<uint8_t, COM_BLOCK_REQUEST_SIZE> request{COM_STX, COM_CMD_BLOCK_REQUEST};
    PutLe32(&request[2], length);
    PutLe32(&request[6], offset);
    request[10] = COM_ETX;
    WaitTxEmpty(m_timing.txEmptyPolls);
    if (Signalled() || m_portFailed || !m_portOpen) return 0;
    m_port.Purge(PURGE_INPUT);
    if (WriteData(request.data(), request.size()) != request.size()) return 0;
    if (WaitRxCount(length) < static_cast<int64_t>(length)) return 0;
    size_t got = 0;
    while (got < length) {
        const int64_t read = m_port.Read(buffer + got, length - got);
        if (read <= 0) {
            if (read < 0) m_portFailed = true;
            break;
        }
        got += static_cast<size_t>(read);
    }
    return got;
}

bool TransferEngine::SendUploadDone() {
    const std::array<uint8_t, COM_UPLOAD_DONE_SIZE> done{COM_STX, COM_CMD_UPLOAD_DONE, COM_ETX};
    return WriteData(done.data(), done.size()) == done.size();
}

int TransferEngine::SendTimeReply() {
    const std::optional<std::chrono::sys_seconds> now = m_clock ? m_clock() : std::nullopt;
    if (!now) return 1;
    const auto reply = BuildTimeReply(*now);
    return WriteData(reply.data(), reply.size()) == reply.size() ? 0 : 2;
}
