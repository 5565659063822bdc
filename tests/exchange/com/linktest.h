// The serial link over a pty pair, the receiver simulator on its master end
// and a recording owner whose notifications this thread delivers.
#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>

#include "com.h"
#include "fakeowner.h"
#include "ptypair.h"
#include "receiversim.h"
#include "scratchdir.h"

class LinkTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Delivers the link's notifications until `done` holds; false when it
    // did not within `bound`.
    static bool PumpUntil(const std::function<bool()>& done,
                          std::chrono::milliseconds bound = std::chrono::seconds(30));

    // Opens the link for the direction and kind, runs `script` against it on
    // a thread of its own, and delivers notifications until both the worker
    // and the script have ended.
    template <typename Report>
    Report Run(int direction, int kind, std::function<Report(ReceiverSim&)> script) {
        Configure(direction, kind);
        EXPECT_EQ(link.OpenPort(), 1);
        auto running = std::async(std::launch::async, [this, script] { return script(sim); });
        // Once the worker has ended, all it posted is queued: PumpUntil
        // delivers it before it returns.
        EXPECT_TRUE(PumpUntil([&] {
            return !link.IsWorkerRunning() &&
                   running.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
        })) << "the transfer did not end";
        EXPECT_EQ(owner.log.back(), "end");
        EXPECT_TRUE(link.WaitForWorker(std::chrono::seconds(10)));
        return running.get();
    }

    void Configure(int direction, int kind);
    std::string ReceivePath() const { return dir.File("ChannlList(20261210_1245).cdl"); }
    std::string SendPath() const { return dir.File("send.cdl"); }

    PtyPair pty;
    ReceiverSim sim{pty};
    ScratchDir dir;
    FakeOwner owner;
    CCOM link; // last: it joins its worker before the rest goes
};
