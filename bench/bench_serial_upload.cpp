// One upload of channel data (655,581 bytes in 161 blocks) per iteration,
// through the serial link over a pty, from a receiver simulator that sends
// its data at 11,520 bytes a second, the rate of 115200 baud 8N1. Timed from
// the receiver's hello to the end of the link's worker; the counter
// "line_rate_share" is the data's own line time over that time (1.0 would
// leave no gap at all between blocks).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTimer>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <future>

#include "com.h"
#include "fakeowner.h"
#include "ptypair.h"
#include "receiversim.h"

namespace {

constexpr uint32_t LINE_BYTES_PER_SECOND = 11520;

Bytes ChannelContainerBytes() {
    Bytes bytes(COM_UPLOAD_CHANNEL_SIZE);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i * 31 + (i >> 12));
    return bytes;
}

void BM_ChannelUpload(benchmark::State& state) {
    PtyPair pty;
    if (!pty.IsOpen()) {
        state.SkipWithError("no pty");
        return;
    }
    ::setenv("QUORVANDELIX_PORTS", pty.SlavePath().c_str(), 1);
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("qvbench" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const Bytes data = ChannelContainerBytes();
    ReceiverSim sim(pty);
    sim.SetPace(LINE_BYTES_PER_SECOND);
    double shares = 0;

    for (auto _ : state) {
        FakeOwner owner;
        owner.settings.direction = XFER_DIR_UPLOAD;
        owner.settings.kind = XFER_KIND_CHANNEL;
        owner.settings.receivePath = (dir / "ChannlList(bench).cdl").string();
        CCOM link;
        link.SetOwnerDialog(&owner);
        if (link.OpenPort() != 1) {
            state.SkipWithError("the link did not open");
            break;
        }
        const auto start = std::chrono::steady_clock::now();
        auto running = std::async(std::launch::async, [&] { return sim.RunUpload({data}); });
        QTimer tick;
        tick.start(5);
        while (link.IsWorkerRunning())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        const UploadReport report = running.get();
        QCoreApplication::processEvents();
        if (!report.error.empty() || owner.outcome != TransferOutcome::FileMade) {
            state.SkipWithError("the upload failed");
            break;
        }
        state.SetIterationTime(elapsed.count());
        shares += (double(COM_UPLOAD_CHANNEL_SIZE) / LINE_BYTES_PER_SECOND) / elapsed.count();
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    state.counters["line_rate_share"] =
        benchmark::Counter(shares, benchmark::Counter::kAvgIterations);
    std::filesystem::remove_all(dir);
    ::unsetenv("QUORVANDELIX_PORTS");
}

BENCHMARK(BM_ChannelUpload)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
