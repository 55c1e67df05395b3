#include "UartFixture.h"

#include "rtl/StoredProperties.h"

using namespace uart_test;
using namespace YVclCtrl;

namespace {

struct TWriterCase {
    const char* Name;
    std::function<void(TCustomUart&)> Before;   // the value the property had
    std::function<void(TCustomUart&)> Write;
    std::function<unsigned(const TCustomUart&)> Read;
    unsigned Expected;
    const char* Box;                            // the error box's text, or null
};

const char* const NotHardware = "Invalid selection !!!\n Because FlowCtrlStyle != fcs_Hardware";

} // namespace

TEST_F(UartTest, ConstructedWithTheDefaults)
{
    EXPECT_EQ(Uart.UartPortNumber(), Com);   // set by the fixture; 1 before
    TTestUart Fresh(nullptr);
    EXPECT_EQ(Fresh.UartPortNumber(), 1u);
    EXPECT_EQ(Fresh.UartBaud(), 9600u);
    EXPECT_EQ(Fresh.UartBitsPerByte(), 8u);
    EXPECT_EQ(Fresh.UartParityBit, upb_None);
    EXPECT_EQ(Fresh.UartStopBits, usb_1bit);
    EXPECT_EQ(Fresh.FlowCtrlStyle(), fcs_None);
    EXPECT_EQ(Fresh.FlowCtrlHwRxd(), fchr_None);
    EXPECT_EQ(Fresh.FlowCtrlHwTxd(), fcht_None);
    EXPECT_EQ(Fresh.SysUartWriteStyle, suws_WriteViaQueue);
    EXPECT_EQ(Fresh.SysUartTxdQueueSize(), 1024u);
    EXPECT_EQ(Fresh.SysUartRxdQueueSize(), 1024u);
    EXPECT_EQ(Fresh.SysUartRxdIntervalTimeout, 3u);
    EXPECT_EQ(Fresh.RxdFilter_Style, rfs_None);
    EXPECT_EQ(Fresh.RxdFilter_DelimiterChar, '\n');
    EXPECT_EQ(Fresh.RxdFilter_BytesOfPacket(), 1u);
    EXPECT_FALSE(Fresh.Opened());
    EXPECT_EQ(Fresh.LastErrMsg(), "");
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(UartTest, WritersCheckTheirValues)
{
    auto Port = [](const TCustomUart& U) { return U.UartPortNumber(); };
    auto Baud = [](const TCustomUart& U) { return U.UartBaud(); };
    auto Bits = [](const TCustomUart& U) { return U.UartBitsPerByte(); };
    auto Txd = [](const TCustomUart& U) { return U.SysUartTxdQueueSize(); };
    auto Rxd = [](const TCustomUart& U) { return U.SysUartRxdQueueSize(); };
    auto Packet = [](const TCustomUart& U) { return U.RxdFilter_BytesOfPacket(); };
    auto HwRxd = [](const TCustomUart& U) { return static_cast<unsigned>(U.FlowCtrlHwRxd()); };
    auto HwTxd = [](const TCustomUart& U) { return static_cast<unsigned>(U.FlowCtrlHwTxd()); };
    auto Nothing = [](TCustomUart&) {};
    const TWriterCase Cases[] = {
        {"port 16", Nothing, [](TCustomUart& U) { U.pw_UartPortNumber(16); }, Port, 16, nullptr},
        {"port 0", [](TCustomUart& U) { U.pw_UartPortNumber(7); }, [](TCustomUart& U) { U.pw_UartPortNumber(0); },
         Port, 7, "Invalid value !!!"},
        {"port 17", [](TCustomUart& U) { U.pw_UartPortNumber(7); }, [](TCustomUart& U) { U.pw_UartPortNumber(17); },
         Port, 7, "Invalid value !!!"},
        {"baud 300", Nothing, [](TCustomUart& U) { U.pw_UartBaud(300); }, Baud, 300, nullptr},
        {"baud 921600", Nothing, [](TCustomUart& U) { U.pw_UartBaud(921600); }, Baud, 921600, nullptr},
        {"baud 299", [](TCustomUart& U) { U.pw_UartBaud(14400); }, [](TCustomUart& U) { U.pw_UartBaud(299); }, Baud,
         9600, "Invalid or unsupported value !!!"},
        {"baud 921601", [](TCustomUart& U) { U.pw_UartBaud(14400); }, [](TCustomUart& U) { U.pw_UartBaud(921601); },
         Baud, 9600, "Invalid or unsupported value !!!"},
        {"7 bits", Nothing, [](TCustomUart& U) { U.pw_UartBitsPerByte(7); }, Bits, 7, nullptr},
        {"9 bits", [](TCustomUart& U) { U.pw_UartBitsPerByte(7); }, [](TCustomUart& U) { U.pw_UartBitsPerByte(9); },
         Bits, 7, "Invalid value !!!"},
        {"6 bits", Nothing, [](TCustomUart& U) { U.pw_UartBitsPerByte(6); }, Bits, 8, "Invalid value !!!"},
        {"txd queue 8192", Nothing, [](TCustomUart& U) { U.pw_SysUartTxdQueueSize(8192); }, Txd, 8192, nullptr},
        {"txd queue 1023", [](TCustomUart& U) { U.pw_SysUartTxdQueueSize(4096); },
         [](TCustomUart& U) { U.pw_SysUartTxdQueueSize(1023); }, Txd, 1024,
         "Invalid value !!!\n Because SysUartTxdQueueSize must >= 1024"},
        {"rxd queue 8192", Nothing, [](TCustomUart& U) { U.pw_SysUartRxdQueueSize(8192); }, Rxd, 8192, nullptr},
        {"rxd queue 1000", [](TCustomUart& U) { U.pw_SysUartRxdQueueSize(4096); },
         [](TCustomUart& U) { U.pw_SysUartRxdQueueSize(1000); }, Rxd, 1024,
         "Invalid value !!!\n Because SysUartRxdQueueSize must >= 1024"},
        {"packet 1024", Nothing, [](TCustomUart& U) { U.pw_BytesOfRxdPacket(1024); }, Packet, 1024, nullptr},
        {"packet 0", [](TCustomUart& U) { U.pw_BytesOfRxdPacket(5); }, [](TCustomUart& U) { U.pw_BytesOfRxdPacket(0); },
         Packet, 1, "Invalid value !!!\n Because this value must >= 1"},
        {"packet 2000", [](TCustomUart& U) { U.pw_BytesOfRxdPacket(5); },
         [](TCustomUart& U) { U.pw_BytesOfRxdPacket(2000); }, Packet, 5,
         "Invalid value \nBecause great then SysUartRxdQueueSize"},
        {"RTS without hardware flow", Nothing, [](TCustomUart& U) { U.pw_FlowCtrlHwRxd(fchr_RTS); }, HwRxd, fchr_None,
         NotHardware},
        {"CTS without hardware flow", Nothing, [](TCustomUart& U) { U.pw_FlowCtrlHwTxd(fcht_CTS); }, HwTxd, fcht_None,
         NotHardware},
    };
    for (const TWriterCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        TTestUart U(nullptr);
        U.SetName("PcUart1");
        Case.Before(U);
        Boxes.clear();
        Case.Write(U);
        EXPECT_EQ(Case.Read(U), Case.Expected);
        if (!Case.Box) {
            EXPECT_TRUE(Boxes.empty());
            continue;
        }
        ASSERT_EQ(Boxes.size(), 1u);
        EXPECT_EQ(Boxes[0].Text, Case.Box);
        EXPECT_EQ(Boxes[0].Caption, "PcUart1");
        EXPECT_EQ(Boxes[0].Flags, MB_TASKMODAL | MB_ICONERROR);
    }
}

TEST_F(UartTest, FlowControlStyleSetsItsLines)
{
    Uart.pw_FlowCtrlHwTxd(fcht_CTS);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Uart.FlowCtrlHwTxd(), fcht_None);

    Uart.pw_FlowCtrlStyle(fcs_Hardware);
    EXPECT_EQ(Uart.FlowCtrlHwTxd(), fcht_CTS);
    EXPECT_EQ(Uart.FlowCtrlHwRxd(), fchr_None);
    Uart.pw_FlowCtrlHwRxd(fchr_RTS);
    Uart.pw_FlowCtrlHwTxd(fcht_DSR_CTS);
    EXPECT_EQ(Uart.FlowCtrlHwRxd(), fchr_RTS);
    EXPECT_EQ(Uart.FlowCtrlHwTxd(), fcht_DSR_CTS);

    Uart.pw_FlowCtrlStyle(fcs_None);
    EXPECT_EQ(Uart.FlowCtrlHwRxd(), fchr_None);
    EXPECT_EQ(Uart.FlowCtrlHwTxd(), fcht_None);
    EXPECT_EQ(Boxes.size(), 1u) << "only the first, refused write showed a box";
}

TEST_F(UartTest, StoredHardwareFlowWithoutStoredLineLoadsWithCts)
{
    // fcht_None is the stream default, so a stored form does not hold it.
    TTestUart Loaded(nullptr);
    LoadStoredProperties(Loaded, {{"Name", {"PcUart1"}}, {"FlowCtrlStyle", {"fcs_Hardware"}}});
    EXPECT_EQ(Loaded.FlowCtrlStyle(), fcs_Hardware);
    EXPECT_EQ(Loaded.FlowCtrlHwTxd(), fcht_CTS);
    EXPECT_EQ(Loaded.FlowCtrlHwRxd(), fchr_None);

    // Stored the other way round, the style is still applied first.
    TTestUart Dsr(nullptr);
    LoadStoredProperties(Dsr, {{"FlowCtrlHwTxd", {"fcht_DSR"}}, {"FlowCtrlStyle", {"fcs_Hardware"}}});
    EXPECT_EQ(Dsr.FlowCtrlHwTxd(), fcht_DSR);
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(UartTest, StoredFormsOfBothProgramsLoad)
{
    int Calls = 0;
    TMethodTable Methods;
    Methods.Add<TRxdDatasEvent>("PcUart1RxdDatas", [&](TObject*, int, char*) { ++Calls; });
    TTestUart Monitor(nullptr);
    LoadStoredProperties(Monitor,
                         {{"Name", {"PcUart1"}},
                          {"UartBaud", {"4800"}},
                          {"UartBitsPerByte", {"8"}},
                          {"SysUartWriteStyle", {"suws_WriteThrough"}},
                          {"SysUartTxdQueueSize", {"1024"}},
                          {"SysUartRxdQueueSize", {"1024"}},
                          {"SysUartRxdIntervalTimeout", {"200"}},
                          {"RxdFilter_Style", {"rfs_ByBytesOfPacket"}},
                          {"RxdFilter_DelimiterChar", {"#10"}},
                          {"RxdFilter_BytesOfPacket", {"1"}},
                          {"OnRxdDatas", {"PcUart1RxdDatas"}}},
                         &Methods);
    EXPECT_EQ(Monitor.Name(), "PcUart1");
    EXPECT_EQ(Monitor.UartBaud(), 4800u);
    EXPECT_EQ(Monitor.SysUartWriteStyle, suws_WriteThrough);
    EXPECT_EQ(Monitor.SysUartRxdIntervalTimeout, 200u);
    EXPECT_EQ(Monitor.RxdFilter_Style, rfs_ByBytesOfPacket);
    EXPECT_EQ(Monitor.RxdFilter_BytesOfPacket(), 1u);
    ASSERT_TRUE(Monitor.OnRxdDatas);
    Monitor.OnRxdDatas(&Monitor, 1, nullptr);
    EXPECT_EQ(Calls, 1);
    EXPECT_FALSE(Monitor.Opened()) << "loading a form never opens the port";

    TTestUart Editor(nullptr);
    LoadStoredProperties(Editor, {{"UartBaud", {"14400"}},
                                  {"UartParityBit", {"upb_Even"}},
                                  {"UartStopBits", {"usb_2bits"}},
                                  {"RxdFilter_DelimiterChar", {"#13"}}});
    EXPECT_EQ(Editor.UartBaud(), 14400u);
    EXPECT_EQ(Editor.UartParityBit, upb_Even);
    EXPECT_EQ(Editor.UartStopBits, usb_2bits);
    EXPECT_EQ(Editor.RxdFilter_DelimiterChar, '\r');
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(UartTest, StoredBadValuesGoThroughTheWriters)
{
    TTestUart Loaded(nullptr);
    LoadStoredProperties(Loaded, {{"Name", {"PcUart1"}}, {"UartBaud", {"100"}}});
    EXPECT_EQ(Loaded.UartBaud(), 9600u);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "Invalid or unsupported value !!!");
    EXPECT_THROW(LoadStoredProperties(Loaded, {{"UartParityBit", {"upb_Mark"}}}), EReadError);
    EXPECT_THROW(LoadStoredProperties(Loaded, {{"UartSpeed", {"9600"}}}), EReadError);
}

TEST_F(UartTest, EventMaskFollowsTheAssignedEvents)
{
    const TNotifyEvent Handler = [](TObject*) {};
    struct TCase {
        const char* Name;
        std::function<void(TTestUart&)> Set;
        DWORD Mask;
    };
    const DWORD Base = EV_RXCHAR | EV_TXEMPTY;
    const TCase Cases[] = {
        {"none", [](TTestUart&) {}, Base},
        {"an error event", [&](TTestUart& U) { U.OnRxOverrunErr = Handler; }, Base | EV_ERR},
        {"ring and carrier", [&](TTestUart& U) { U.OnRiChanged = U.OnCdChanged = Handler; }, Base | EV_RING | EV_RLSD},
        {"CTS and DSR, no flow control", [&](TTestUart& U) { U.OnCtsChanged = U.OnDsrChanged = Handler; },
         Base | EV_CTS | EV_DSR},
        {"CTS paces the output",
         [&](TTestUart& U) {
             U.OnCtsChanged = U.OnDsrChanged = Handler;
             U.pw_FlowCtrlStyle(fcs_Hardware);
         },
         Base | EV_DSR},
        {"DSR paces the output",
         [&](TTestUart& U) {
             U.OnCtsChanged = U.OnDsrChanged = Handler;
             U.pw_FlowCtrlStyle(fcs_Hardware);
             U.pw_FlowCtrlHwTxd(fcht_DSR);
         },
         Base | EV_CTS},
        {"both pace the output",
         [&](TTestUart& U) {
             U.OnCtsChanged = U.OnDsrChanged = Handler;
             U.pw_FlowCtrlStyle(fcs_Hardware);
             U.pw_FlowCtrlHwTxd(fcht_DSR_CTS);
         },
         Base},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        TTestUart U(nullptr);
        Case.Set(U);
        EXPECT_EQ(U.CommEventMask(), Case.Mask);
    }
}

TEST_F(UartTest, OpenFillsTheControlBlock)
{
    struct TCase {
        const char* Name;
        std::function<void(TCustomUart&)> Set;
        std::function<void(const DCB&)> Check;
    };
    const TCase Cases[] = {
        {"defaults", [](TCustomUart&) {},
         [](const DCB& D) {
             EXPECT_EQ(D.DCBlength, 28u);
             EXPECT_EQ(D.fBinary, 1u);
             EXPECT_EQ(D.BaudRate, 9600u);
             EXPECT_EQ(D.ByteSize, 8);
             EXPECT_EQ(D.fParity, 0u);
             EXPECT_EQ(D.Parity, NOPARITY);
             EXPECT_EQ(D.fErrorChar, 0u);
             EXPECT_EQ(D.StopBits, ONESTOPBIT);
             EXPECT_EQ(D.fOutxCtsFlow + D.fOutxDsrFlow + D.fOutX + D.fInX, 0u);
             EXPECT_EQ(D.fDtrControl, DTR_CONTROL_ENABLE);
             EXPECT_EQ(D.fRtsControl, RTS_CONTROL_ENABLE);
         }},
        {"odd parity, two stop bits",
         [](TCustomUart& U) {
             U.UartParityBit = upb_Odd;
             U.UartStopBits = usb_2bits;
             U.pw_UartBitsPerByte(7);
         },
         [](const DCB& D) {
             EXPECT_EQ(D.ByteSize, 7);
             EXPECT_EQ(D.fParity, 1u);
             EXPECT_EQ(D.Parity, ODDPARITY);
             EXPECT_EQ(D.fErrorChar, 1u);
             EXPECT_EQ(D.ErrorChar, '\n') << "a bad byte becomes a line feed";
             EXPECT_EQ(D.StopBits, TWOSTOPBITS);
         }},
        {"even parity", [](TCustomUart& U) { U.UartParityBit = upb_Even; },
         [](const DCB& D) { EXPECT_EQ(D.Parity, EVENPARITY); }},
        {"CTS, RTS handshake",
         [](TCustomUart& U) {
             U.pw_FlowCtrlStyle(fcs_Hardware);
             U.pw_FlowCtrlHwRxd(fchr_RTS);
         },
         [](const DCB& D) {
             EXPECT_EQ(D.fOutxCtsFlow, 1u);
             EXPECT_EQ(D.fOutxDsrFlow, 0u);
             EXPECT_EQ(D.fRtsControl, RTS_CONTROL_HANDSHAKE);
             EXPECT_EQ(D.fDtrControl, DTR_CONTROL_ENABLE);
         }},
        {"DSR and CTS, DTR handshake",
         [](TCustomUart& U) {
             U.pw_FlowCtrlStyle(fcs_Hardware);
             U.pw_FlowCtrlHwTxd(fcht_DSR_CTS);
             U.pw_FlowCtrlHwRxd(fchr_DTR);
         },
         [](const DCB& D) {
             EXPECT_EQ(D.fOutxCtsFlow, 1u);
             EXPECT_EQ(D.fOutxDsrFlow, 1u);
             EXPECT_EQ(D.fRtsControl, RTS_CONTROL_ENABLE);
             EXPECT_EQ(D.fDtrControl, DTR_CONTROL_HANDSHAKE);
         }},
        {"hardware style, no lines",
         [](TCustomUart& U) {
             U.pw_FlowCtrlStyle(fcs_Hardware);
             U.pw_FlowCtrlHwTxd(fcht_None);
         },
         [](const DCB& D) { EXPECT_EQ(D.fOutxCtsFlow + D.fOutxDsrFlow, 0u); }},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        TTestUart U(nullptr);
        U.pw_UartPortNumber(Com);
        Case.Set(U);
        ASSERT_TRUE(U.Open()) << U.LastErrMsg();
        Case.Check(U.UartDcb);
        U.Close();
    }
}

TEST_F(UartTest, TimeOutConstantsAddTheQueueTimeInSeconds)
{
    struct TCase {
        unsigned Baud, Bits;
        TUartParityBit Parity;
        TUartStopBits Stop;
        unsigned RxdQueue, TxdQueue;
        DWORD Read, Write;
    };
    const TCase Cases[] = {
        {14400, 8, upb_None, usb_1bit, 1024, 1024, 5000, 5000},   // 0.71 s
        {4800, 8, upb_None, usb_1bit, 1024, 1024, 5002, 5002},    // 2.13 s
        {38400, 8, upb_None, usb_1bit, 8192, 8192, 5002, 5002},   // 2.13 s
        {4800, 8, upb_Odd, usb_2bits, 1024, 1024, 5002, 5002},    // 12 bits: 2.56 s
        {300, 7, upb_Even, usb_2bits, 1024, 4096, 5037, 5150},    // 11 bits: 37.5 s and 150.2 s
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(testing::Message() << Case.Baud << " baud, " << Case.RxdQueue << "/" << Case.TxdQueue);
        TTestUart U(nullptr);
        U.pw_UartPortNumber(Com);
        U.pw_UartBaud(Case.Baud);
        U.pw_UartBitsPerByte(Case.Bits);
        U.UartParityBit = Case.Parity;
        U.UartStopBits = Case.Stop;
        U.pw_SysUartRxdQueueSize(Case.RxdQueue);
        U.pw_SysUartTxdQueueSize(Case.TxdQueue);
        U.SysUartRxdIntervalTimeout = 200;
        ASSERT_TRUE(U.Open()) << U.LastErrMsg();
        EXPECT_EQ(U.UartTimeouts.ReadIntervalTimeout, 200u);
        EXPECT_EQ(U.UartTimeouts.ReadTotalTimeoutMultiplier, 0u);
        EXPECT_EQ(U.UartTimeouts.ReadTotalTimeoutConstant, Case.Read);
        EXPECT_EQ(U.UartTimeouts.WriteTotalTimeoutMultiplier, 0u);
        EXPECT_EQ(U.UartTimeouts.WriteTotalTimeoutConstant, Case.Write);
        U.Close();
    }
}
