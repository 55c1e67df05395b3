#include "UartFixture.h"

#include <cstdlib>

#include "rtl/Exceptions.h"

using namespace uart_test;
using namespace YVclCtrl;

TEST_F(UartTest, OpenOfAMissingDevice)
{
    setenv("VTX_COM6", "/dev/vtx-no-such-tty", 1);
    Uart.pw_UartPortNumber(6);
    EXPECT_FALSE(Uart.Open());
    EXPECT_EQ(Uart.LastErrMsg(), "The comm device not exist");
    EXPECT_FALSE(Uart.Opened());
    EXPECT_TRUE(Uart.Close());
    EXPECT_EQ(Uart.LastErrMsg(), "The comm device not exist") << "Close of a closed port changes nothing";
    unsetenv("VTX_COM6");
}

TEST_F(UartTest, OpenOfADeviceHeldByAnother)
{
    TTestUart Other(nullptr);
    Other.pw_UartPortNumber(Com);
    ASSERT_TRUE(Other.Open()) << Other.LastErrMsg();
    EXPECT_FALSE(Uart.Open());
    EXPECT_EQ(Uart.LastErrMsg(), "The comm device can not access (may be opened by another)");
    EXPECT_FALSE(Uart.Opened());
    Other.Close();
    EXPECT_TRUE(Uart.Open()) << Uart.LastErrMsg();
}

TEST_F(UartTest, OpenAndCloseTwice)
{
    ASSERT_TRUE(Uart.Open()) << Uart.LastErrMsg();
    EXPECT_TRUE(Uart.Opened());
    EXPECT_EQ(Uart.LastErrMsg(), "");
    TCommMonitorThread* Worker = Uart.MonitorThread.get();
    ASSERT_NE(Worker, nullptr);
    EXPECT_TRUE(Uart.Open());
    EXPECT_EQ(Uart.MonitorThread.get(), Worker) << "no second worker";

    EXPECT_TRUE(Uart.Close());
    EXPECT_FALSE(Uart.Opened());
    EXPECT_EQ(Uart.MonitorThread, nullptr);
    EXPECT_EQ(Uart.LastErrMsg(), "");
    EXPECT_TRUE(Uart.Close());

    // Opened again, it works as before.
    Collect();
    ASSERT_TRUE(Uart.Open());
    Device.Write("again");
    ASSERT_TRUE(ReceiveAtLeast(5));
    EXPECT_EQ(Received, "again");
}

TEST_F(UartTest, OpenSetsTheLine)
{
    Uart.pw_UartBaud(14400);
    Uart.UartStopBits = usb_2bits;
    ASSERT_TRUE(Uart.Open());
    const simdevice::TPtyLine Line = Device.Line();
    EXPECT_EQ(Line.Baud, 14400u);
    EXPECT_EQ(Line.StopBits, 2u);
    EXPECT_TRUE(Line.Raw);
}

TEST_F(UartTest, ModemLinesNeedAnOpenPort)
{
    const char* Message = "Illegal property access, because TCustomUart not in opened state !!!";
    for (auto Read : {&TCustomUart::pr_CtsState, &TCustomUart::pr_DsrState, &TCustomUart::pr_RiState,
                      &TCustomUart::pr_CdState}) {
        try {
            (Uart.*Read)();
            ADD_FAILURE() << "no exception";
        } catch (const Exception& E) {
            EXPECT_EQ(E.Message, Message);
        }
    }
    ASSERT_TRUE(Uart.Open());
    // A pseudo-terminal has no modem lines: they read as off.
    EXPECT_FALSE(Uart.CtsState());
    EXPECT_FALSE(Uart.DsrState());
    EXPECT_FALSE(Uart.RiState());
    EXPECT_FALSE(Uart.CdState());
    Uart.Close();
    EXPECT_THROW(Uart.CtsState(), Exception);
}

TEST_F(UartTest, ReceiveQueueSizeIsNotChangedWhileOpen)
{
    ASSERT_TRUE(Uart.Open());
    Uart.pw_SysUartRxdQueueSize(8192);
    EXPECT_EQ(Uart.SysUartRxdQueueSize(), 1024u);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Caption, "PcUart1");
    Uart.Close();
    Uart.pw_SysUartRxdQueueSize(8192);
    EXPECT_EQ(Uart.SysUartRxdQueueSize(), 8192u);
}

TEST_F(UartTest, DestroyingAnOpenPortClosesIt)
{
    {
        TTestUart Owner(nullptr);
        auto* Owned = new TTestUart(&Owner);   // the owner destroys it
        Owned->pw_UartPortNumber(Com);
        ASSERT_TRUE(Owned->Open());
    }
    EXPECT_TRUE(Uart.Open()) << "the device is free again: " << Uart.LastErrMsg();
}

TEST_F(UartTest, AHungUpDeviceFailsSendsAndStillCloses)
{
    Collect();
    ASSERT_TRUE(Uart.Open());
    Device.HangUp();
    // The worker recovers every 10 ms; nothing is raised.
    RunQuietly();
    EXPECT_EQ(Uart.SendData(3, "abc"), 1);
    EXPECT_EQ(Uart.LastErrMsg(), "Can not send to comm");
    EXPECT_TRUE(Received.empty());
    EXPECT_TRUE(Uart.Close());
    EXPECT_FALSE(Uart.Opened());
}
