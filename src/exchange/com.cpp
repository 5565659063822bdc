#include "com.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QThread>

#include <future>
#include <string>
#include <utility>

#include "comports.h"
#include "qtcomport.h"

namespace {

// How long OpenPort waits for the worker to open the device, and for the
// previous worker to end (it ends within about a second of its stop).
constexpr std::chrono::milliseconds OPEN_BOUND{5000};
constexpr std::chrono::milliseconds PREVIOUS_WORKER_BOUND{5000};

// Carries the worker's notifications to the owner's thread, in order. The
// worker never waits for them; those still queued when the link is destroyed
// are dropped with its context object.
class QueuedSink final : public ITransferSink {
  public:
    QueuedSink(QObject* context, ITransferOwner* owner, std::atomic<int>* linkOpen)
        : m_context(context), m_owner(owner), m_linkOpen(linkOpen) {}

    void SetTransferProgress(int percent) override {
        Post([percent](ITransferOwner& owner) { owner.SetTransferProgress(percent); });
    }
    void SetTransferIdle() override {
        Post([](ITransferOwner& owner) { owner.SetTransferIdle(); });
    }
    void HideTransferStatus() override {
        Post([](ITransferOwner& owner) { owner.HideTransferStatus(); });
    }
    void ClearTransferPath() override {
        Post([](ITransferOwner& owner) { owner.ClearTransferPath(); });
    }
    void ShowTransferMessage(const std::string& text, MessageIcon icon) override {
        Post([text, icon](ITransferOwner& owner) { owner.ShowTransferMessage(text, icon); });
    }
    void ReceiverAnswered() override {
        Post([](ITransferOwner& owner) { owner.ReceiverAnswered(); });
    }
    // The port is closed by now: the link is no longer open when the owner
    // hears of the end, so a Connect right then opens anew.
    void TransferEnded(TransferOutcome outcome, const std::string& path) override {
        m_linkOpen->store(0);
        Post([outcome, path](ITransferOwner& owner) { owner.TransferEnded(outcome, path); });
    }

  private:
    template <typename Call> void Post(Call call) {
        if (m_owner == nullptr) return;
        ITransferOwner* owner = m_owner;
        QMetaObject::invokeMethod(
            m_context, [owner, call]() { call(*owner); }, Qt::QueuedConnection);
    }

    QObject* m_context;
    ITransferOwner* m_owner;
    std::atomic<int>* m_linkOpen;
};

} // namespace

// Everything one worker owns: its device, the settings snapshot, its stop
// and cancel flags, and the way back to the owner.
struct ComWorker {
    std::string device;
    TransferSettings settings;
    TransferFlags flags;
    UtcClock clock;
    TransferTiming timing;
    std::unique_ptr<ITransferSink> sink;
    std::promise<PortOpenResult> opened;
    std::string openError; // set before opened is

    std::atomic<bool> running{true};
};

CCOM::CCOM() : m_pOwnerContext(std::make_unique<QObject>()) {}

CCOM::~CCOM() {
    ClosePortIfOpen();
    if (m_pWorker) m_pWorker->flags.SetStop();
    if (m_pThread) m_pThread->wait();
}

int CCOM::OpenPort() {
    if (m_bOpen) return 0;
    m_openError.clear();
    auto tell = [this](const char* text) {
        if (m_pOwnerDlg != nullptr) m_pOwnerDlg->ShowTransferMessage(text, MessageIcon::None);
    };
    // A worker told to stop a moment ago may still hold the device.
    if (!WaitForWorker(PREVIOUS_WORKER_BOUND)) {
        m_openError = COM_REASON_BUSY;
        tell(COM_TEXT_CREATE_FAIL);
        return 0;
    }
    JoinWorker();
    m_nBaud = 115200;
    const std::string device = ComPortDevice(m_nPort);
    if (device.empty()) {
        m_openError = COM_REASON_NO_PORT;
        tell(COM_TEXT_CREATE_FAIL);
        return 0;
    }

    auto worker = std::make_shared<ComWorker>();
    worker->device = device;
    if (m_pOwnerDlg != nullptr) worker->settings = m_pOwnerDlg->TransferSettingsSnapshot();
    worker->clock = m_clock;
    worker->timing = m_timing;
    worker->sink = std::make_unique<QueuedSink>(m_pOwnerContext.get(), m_pOwnerDlg, &m_bOpen);
    std::future<PortOpenResult> opened = worker->opened.get_future();
    m_pWorker = worker;
    m_pThread.reset(QThread::create([worker]() { CCOM::TransferThread(*worker); }));
    m_pThread->start();

    if (opened.wait_for(OPEN_BOUND) != std::future_status::ready) {
        worker->flags.SetStop(); // it leaves as soon as it gets going
        m_openError = COM_REASON_NO_ANSWER;
        tell(COM_TEXT_CREATE_FAIL);
        return 0;
    }
    const PortOpenResult result = opened.get();
    if (result != PortOpenResult::Opened) {
        m_openError = worker->openError;
        JoinWorker();
        tell(result == PortOpenResult::NoDevice ? COM_TEXT_CREATE_FAIL : COM_TEXT_SETUP_FAIL);
        return 0;
    }
    m_bOpen = 1;
    return 1;
}

int CCOM::ClosePort() {
    if (m_bOpen.exchange(0) == 0) return 0;
    if (m_pWorker) m_pWorker->flags.SetStop();
    return 1;
}

void CCOM::ClosePortIfOpen() {
    if (m_bOpen) ClosePort();
}

void CCOM::CancelTransfer() {
    if (m_pWorker) m_pWorker->flags.SetCancel();
}

bool CCOM::IsWorkerRunning() const {
    return m_pWorker && m_pWorker->running;
}

bool CCOM::WaitForWorker(std::chrono::milliseconds bound) {
    if (!m_pThread) return true;
    return m_pThread->wait(QDeadlineTimer(bound.count()));
}

// Only after the thread has ended.
void CCOM::JoinWorker() {
    if (m_pThread) m_pThread->wait();
    m_pThread.reset();
    m_pWorker.reset();
}

int CCOM::TransferThread(ComWorker& worker) {
    QtComPort port;
    const PortOpenResult result = port.Open(worker.device);
    worker.openError = port.OpenError();
    worker.opened.set_value(result);
    if (result == PortOpenResult::Opened) {
        TransferEngine engine(port, *worker.sink, worker.flags, worker.settings, worker.clock,
                              worker.timing);
        engine.Run();
    }
    worker.running = false;
    return 0;
}
