#include "UartFixture.h"

#include "YVclUtil/EYGeneral.h"
#include "rtl/Exceptions.h"
#include "win32/Comm.h"

using namespace uart_test;
using namespace YVclCtrl;

namespace {

struct TFilterCase {
    const char* Name;
    TRxdFilter Style;
    char Delimiter;
    unsigned PacketSize;
    std::vector<std::string> Writes;      // what the device sends, piece by piece
    std::vector<std::string> Expected;    // the deliveries
};

// Test listings name a case instead of dumping its bytes.
void PrintTo(const TFilterCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}


} // namespace

class ReceiveFilter : public UartTest, public ::testing::WithParamInterface<TFilterCase> {};

// The pieces are written apart, so that they tend to come in separate reads;
// the deliveries must not depend on how the bytes were split.
TEST_P(ReceiveFilter, CutsTheBytesIntoDeliveries)
{
    const TFilterCase& Case = GetParam();
    Uart.RxdFilter_Style = Case.Style;
    Uart.RxdFilter_DelimiterChar = Case.Delimiter;
    Uart.pw_BytesOfRxdPacket(Case.PacketSize);
    Collect();
    ASSERT_TRUE(Uart.Open());
    std::size_t Total = 0;
    for (const std::string& Piece : Case.Writes) {
        Device.Write(Piece);
        Total += Piece.size();
        ASSERT_TRUE(PortHasRead());
        RunUntil([] { return false; }, 20);
    }
    std::size_t Delivered = 0;
    for (const std::string& D : Case.Expected)
        Delivered += D.size();
    ASSERT_TRUE(ReceiveAtLeast(Delivered));
    RunQuietly();
    EXPECT_EQ(Deliveries, Case.Expected);
    EXPECT_TRUE(Boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Filters, ReceiveFilter,
    ::testing::Values(
        TFilterCase{"LineFeedAcrossReads", rfs_ByDelimiterChar, '\n', 1, {"AB", "C\nDE\n"}, {"ABC\n", "DE\n"}},
        TFilterCase{"OtherDelimiter", rfs_ByDelimiterChar, ';', 1, {"x;y", ";;", "tail"}, {"x;", "y;", ";"}},
        TFilterCase{"LineOverManyReads", rfs_ByDelimiterChar, '\n', 1, {"a", "b", "c", "d\n"}, {"abcd\n"}},
        TFilterCase{"OneBytePackets", rfs_ByBytesOfPacket, '\n', 1, {"abc", "d"}, {"a", "b", "c", "d"}},
        TFilterCase{"PacketsAcrossReads", rfs_ByBytesOfPacket, '\n', 4, {"ab", "cdefg", "h", "ij"},
                    {"abcd", "efgh"}}),
    [](const ::testing::TestParamInfo<TFilterCase>& Info) { return Info.param.Name; });

TEST_F(UartTest, NoFilterDeliversEachRead)
{
    Collect();
    ASSERT_TRUE(Uart.Open());
    Device.Write("abcdef");
    ASSERT_TRUE(ReceiveAtLeast(6));
    Device.Write("ghij");
    ASSERT_TRUE(ReceiveAtLeast(10));
    EXPECT_EQ(Received, "abcdefghij");
    // A delivery is one read: none spans the two writes.
    std::size_t Boundary = 0;
    bool SplitAtSix = false;
    for (const std::string& D : Deliveries) {
        Boundary += D.size();
        SplitAtSix = SplitAtSix || Boundary == 6;
    }
    EXPECT_TRUE(SplitAtSix);
}

TEST_F(UartTest, DatasHoldsExactlyTheDeliveredBytes)
{
    Uart.RxdFilter_Style = rfs_ByDelimiterChar;
    std::vector<std::pair<int, std::string>> Calls;
    Uart.OnRxdDatas = [&](TObject*, int Bytes, char* Datas) {
        Calls.emplace_back(Bytes, std::string(Datas, static_cast<std::size_t>(Bytes)));
    };
    ASSERT_TRUE(Uart.Open());
    Device.Write(std::string("long line\n\0\xFF\n", 13));
    ASSERT_TRUE(RunUntil([&] { return Calls.size() == 2; }));
    EXPECT_EQ(Calls[0], std::make_pair(10, std::string("long line\n")));
    EXPECT_EQ(Calls[1], std::make_pair(3, std::string("\0\xFF\n", 3)));
}

TEST_F(UartTest, ALineAsLongAsTheQueueIsDeliveredOneLongerEndsTheWorker)
{
    struct TCase {
        const char* Name;
        TRxdFilter Style;
        const char* Message;
    };
    const TCase Cases[] = {
        {"delimited", rfs_ByDelimiterChar, "TCustomUart FilteredRxdBuff overflow, when delimiting the received datas !!!"},
        {"packets", rfs_ByBytesOfPacket,
         "TCustomUart FilteredRxdBuff overflow, when collection bytes of the received datas !!!"},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        Received.clear();
        Deliveries.clear();
        Uart.RxdFilter_Style = Case.Style;
        // A packet of 2000 cannot be collected in a 1024-byte queue.
        Uart.pw_SysUartRxdQueueSize(4096);
        Uart.pw_BytesOfRxdPacket(Case.Style == rfs_ByBytesOfPacket ? 2000 : 1);
        Uart.pw_SysUartRxdQueueSize(1024);
        Collect();
        ASSERT_TRUE(Uart.Open());
        if (Case.Style == rfs_ByDelimiterChar) {
            Device.Write(std::string(1023, 'x') + "\n");
            ASSERT_TRUE(ReceiveAtLeast(1024));
            EXPECT_EQ(Deliveries.size(), 1u) << "1024 bytes ending in the delimiter fit";
        }
        Device.Write(std::string(1024, 'y'));
        ASSERT_TRUE(RunUntil([&] { return Uart.WorkerEnded(); }));
        EXPECT_EQ(Uart.WorkerError(), Case.Message);
        EXPECT_TRUE(Uart.Opened()) << "the port stays open";
        Device.Write("z\n");
        RunQuietly();
        EXPECT_EQ(Received.find('y'), std::string::npos);
        EXPECT_EQ(Received.find('z'), std::string::npos) << "nothing is delivered until Close and Open";
        EXPECT_TRUE(Uart.Close());
    }
}

TEST_F(UartTest, AHandlersExceptionEndsTheWorkerButNotThePort)
{
    int Calls = 0;
    Uart.OnRxdDatas = [&](TObject*, int, char*) {
        ++Calls;
        throw Exception("handler failed");
    };
    ASSERT_TRUE(Uart.Open());
    Device.Write("a");
    ASSERT_TRUE(RunUntil([&] { return Uart.WorkerEnded(); }));
    EXPECT_EQ(Uart.WorkerError(), "handler failed");
    EXPECT_EQ(Calls, 1);
    EXPECT_TRUE(Uart.Opened());
    Device.Write("b");
    RunQuietly();
    EXPECT_EQ(Calls, 1) << "later bytes raise nothing";
    EXPECT_EQ(Uart.SendData(2, "ok"), 0) << "sending still works";

    EXPECT_TRUE(Uart.Close());
    Collect();
    ASSERT_TRUE(Uart.Open());
    Device.Write("c");
    ASSERT_TRUE(ReceiveAtLeast(1));
    EXPECT_EQ(Received, "c");
}

// The events are not changed while the port is open (the worker reads them
// without a lock), so the handler comes with the next Open.
TEST_F(UartTest, WithoutAHandlerReceivedBytesAreDropped)
{
    ASSERT_TRUE(Uart.Open());
    Device.Write("dropped");
    // Long enough for the port to have read them off the tty.
    Loop.RunUntil([] { return false; }, 1000);
    ASSERT_TRUE(PortHasRead());
    Uart.Close();

    Collect();
    ASSERT_TRUE(Uart.Open());
    Device.Write("kept");
    ASSERT_TRUE(ReceiveAtLeast(4));
    RunQuietly();
    EXPECT_EQ(Received, "kept") << "bytes from before the handler are not kept for it";
}

TEST_F(UartTest, CloseWhileADeliveryIsUnderWay)
{
    Uart.RxdFilter_Style = rfs_ByBytesOfPacket;
    Collect();
    ASSERT_TRUE(Uart.Open());
    Device.Write("abc");
    // The worker posts to the loop when it starts to wait for the main
    // thread; the loop is not run, so that delivery is still to be made.
    const auto Deadline = TClock::now() + std::chrono::milliseconds(LongWaitMs);
    while (Loop.Posted == 0 && TClock::now() < Deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_GT(Loop.Posted, 0);
    EXPECT_TRUE(Received.empty());
    EXPECT_TRUE(Uart.Close());
    EXPECT_FALSE(Uart.Opened());
    ASSERT_FALSE(Received.empty()) << "Close made the delivery under way";
    EXPECT_EQ(std::string("abc").substr(0, Received.size()), Received);
    EXPECT_EQ(Deliveries.size(), Received.size());
}

TEST_F(UartTest, ErrorEventsAreRaisedInOrder)
{
    std::string Log;
    Uart.OnFrameErr = [&](TObject* S) { EXPECT_EQ(S, &Uart); Log += "frame "; };
    Uart.OnParityErr = [&](TObject*) { Log += "parity "; };
    Uart.OnBreakLevelErr = [&](TObject*) { Log += "break "; };
    Uart.OnRxOverrunErr = [&](TObject*) { Log += "rxover "; };
    Uart.OnTxOverrunErr = [&](TObject*) { Log += "txfull "; };
    struct TCase {
        unsigned long Errors;
        const char* Log;
    };
    const TCase Cases[] = {
        {CE_RXPARITY | CE_FRAME, "frame parity "},
        {CE_TXFULL | CE_RXOVER | CE_BREAK, "break rxover txfull "},
        {CE_OVERRUN, ""},
        {0, ""},
    };
    for (const TCase& Case : Cases) {
        Log.clear();
        Uart.FireUartErrEvent(Case.Errors);
        EXPECT_EQ(Log, Case.Log);
    }
    Uart.OnParityErr = nullptr;
    Log.clear();
    Uart.FireUartErrEvent(CE_RXPARITY | CE_FRAME);
    EXPECT_EQ(Log, "frame ") << "an event not assigned is skipped";
}

TEST_F(UartTest, ModemEventsAreRaisedInOrder)
{
    std::string Log;
    Uart.OnRiChanged = [&](TObject*) { Log += "ri "; };
    Uart.OnCdChanged = [&](TObject*) { Log += "cd "; };
    Uart.OnDsrChanged = [&](TObject*) { Log += "dsr "; };
    Uart.OnCtsChanged = [&](TObject*) { Log += "cts "; };
    Uart.FireModemSignalEvent(EV_CTS | EV_DSR | EV_RLSD | EV_RING | EV_RXCHAR);
    EXPECT_EQ(Log, "ri cd dsr cts ");
    Log.clear();
    Uart.FireModemSignalEvent(EV_TXEMPTY | EV_ERR);
    EXPECT_EQ(Log, "");
}
