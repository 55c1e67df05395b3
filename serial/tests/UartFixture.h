#pragma once
// What the port component's tests share: a main loop, recorded error boxes,
// a device on a pseudo-terminal mapped as COM5, and a TPcUart named PcUart1
// whose deliveries are collected.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "YVclCtrl/CommMonitorThread.h"
#include "YVclCtrl/PcUart.h"
#include "rtl/MessageBox.h"
#include "rtl/PlainLoop.h"
#include "simdevice/PtyDevice.h"

namespace uart_test {

constexpr unsigned Com = 5;
// Generous real-time limits: the tests run in parallel and under sanitizers.
constexpr unsigned LongWaitMs = 20000;
// How long a test waits to see that something does not happen.
constexpr unsigned QuietMs = 300;

using TClock = std::chrono::steady_clock;

// Counts the calls posted to the loop: a worker posts one when it starts to
// wait in Synchronize.
class TCountingLoop : public TPlainLoop {
public:
    void Post(TCall Call) override
    {
        ++Posted;
        TPlainLoop::Post(std::move(Call));
    }
    std::atomic<int> Posted{0};
};

// The component with its protected parts in reach.
class TTestUart : public OrbCtrl::TPcUart {
public:
    using TPcUart::TPcUart;
    using TCustomUart::CommEventMask;
    using TCustomUart::MonitorThread;
    using TCustomUart::UartDcb;
    using TCustomUart::UartTimeouts;

    bool WorkerEnded() const { return MonitorThread && MonitorThread->Finished(); }
    // The message of the exception that ended the worker, or "".
    AnsiString WorkerError() const
    {
        if (!MonitorThread || !MonitorThread->FatalException())
            return AnsiString();
        try {
            std::rethrow_exception(MonitorThread->FatalException());
        } catch (const Exception& E) {
            return E.Message;
        } catch (...) {
            return "?";
        }
    }
};

struct TBox {
    AnsiString Caption;
    AnsiString Text;
    unsigned Flags;
};

class UartTest : public ::testing::Test {
protected:
    UartTest()
    {
        Uart.SetName("PcUart1");
        Uart.pw_UartPortNumber(Com);
    }

    // The port closes before any member of the fixture (or of a derived
    // fixture) goes: Close still serves a delivery or a transmit-empty that
    // is under way, and its handler writes into those members.
    void TearDown() override { Uart.Close(); }

    // Collects every delivery into Received and Deliveries.
    void Collect()
    {
        Uart.OnRxdDatas = [this](TObject* Sender, int Bytes, char* Datas) {
            EXPECT_EQ(Sender, &Uart);
            Deliveries.emplace_back(Datas, static_cast<std::size_t>(Bytes));
            Received.append(Datas, static_cast<std::size_t>(Bytes));
        };
    }

    bool RunUntil(const std::function<bool()>& Done, unsigned TimeoutMs = LongWaitMs)
    {
        return Loop.RunUntil(Done, TimeoutMs);
    }
    bool ReceiveAtLeast(std::size_t Count) { return RunUntil([&] { return Received.size() >= Count; }); }
    // Runs the loop for a while, for what should not come.
    void RunQuietly() { Loop.RunUntil([] { return false; }, QuietMs); }
    // Waits until the port has taken everything the device wrote.
    bool PortHasRead()
    {
        return RunUntil([&] { return Device.PendingToPort() == 0; });
    }

    TCountingLoop Loop;
    TMainLoopScope Scope{Loop};
    std::vector<TBox> Boxes;
    TScopedMessageBoxHook Hook{[this](const TMessageBoxRequest& Box) {
        Boxes.push_back(TBox{Box.Caption, Box.Text, Box.Flags});
        return IDOK;
    }};
    simdevice::TPtyDevice Device{Com};
    TTestUart Uart{nullptr};
    std::string Received;
    std::vector<std::string> Deliveries;
};

} // namespace uart_test
