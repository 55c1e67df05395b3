#include "UartFixture.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace uart_test;
using namespace YVclCtrl;

namespace {

// A text file in the test's own folder, removed at the end.
class TTextFile {
public:
    explicit TTextFile(const std::string& Text)
        : FPath((std::filesystem::temp_directory_path() /
                 ("vtx-send-" + std::to_string(getpid()) + "-" + std::to_string(++Count) + ".txt"))
                    .string())
    {
        std::ofstream(FPath, std::ios::binary) << Text;
    }
    ~TTextFile() { std::remove(FPath.c_str()); }
    const char* Path() const { return FPath.c_str(); }

private:
    static inline int Count = 0;
    std::string FPath;
};

long long MsBetween(TClock::time_point From, TClock::time_point To)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(To - From).count();
}

// When the byte at Offset of what the device received arrived.
TClock::time_point ArrivalOf(const std::vector<simdevice::TPtyDevice::TChunk>& Chunks, std::size_t Offset)
{
    std::size_t Start = 0;
    for (const auto& Chunk : Chunks) {
        if (Offset < Start + Chunk.Bytes.size())
            return Chunk.At;
        Start += Chunk.Bytes.size();
    }
    ADD_FAILURE() << "byte " << Offset << " never arrived";
    return TClock::time_point{};
}

class SendTest : public UartTest {
protected:
    void OpenCountingTxdEmpty()
    {
        Uart.OnTxdEmpty = [this](TObject*) { ++TxdEmpties; };
        ASSERT_TRUE(Uart.Open()) << Uart.LastErrMsg();
    }
    int TxdEmpties = 0;
};

} // namespace

TEST_F(SendTest, OnAClosedPortNothingIsSent)
{
    setenv("VTX_COM6", "/dev/vtx-no-such-tty", 1);
    Uart.pw_UartPortNumber(6);
    ASSERT_FALSE(Uart.Open());
    EXPECT_EQ(Uart.SendData(2, "hi"), 2);
    EXPECT_EQ(Uart.LastErrMsg(), "") << "the send clears the open's failure";
    EXPECT_EQ(Uart.SendData_printf("%d", 42), 2);
    TTextFile File("line\n");
    EXPECT_EQ(Uart.SendTxtFile(File.Path(), 0), 2);
    unsetenv("VTX_COM6");
}

TEST_F(SendTest, SendDataWritesTheBlockAndRaisesTxdEmpty)
{
    OpenCountingTxdEmpty();
    const char Frame[5] = {'\x01', '\0', 'A', '\xFF', '\n'};
    EXPECT_EQ(Uart.SendData(sizeof Frame, Frame), 0);
    EXPECT_EQ(Uart.LastErrMsg(), "");
    ASSERT_TRUE(Device.WaitReceived(5, LongWaitMs));
    EXPECT_EQ(Device.Received(), std::string(Frame, 5)) << "raw: no translation";
    EXPECT_TRUE(RunUntil([&] { return TxdEmpties == 1; }));
}

TEST_F(SendTest, SendDataPrintfSendsTheWholeText)
{
    ASSERT_TRUE(Uart.Open());
    EXPECT_EQ(Uart.SendData_printf("%d", 42), 0);
    ASSERT_TRUE(Device.WaitReceived(2, LongWaitMs));
    EXPECT_EQ(Device.Received(), "42");

    // Longer than any fixed buffer: sent whole.
    Device.ClearReceived();
    const std::string Long(5000, 'L');
    EXPECT_EQ(Uart.SendData_printf("<%s>", Long.c_str()), 0);
    ASSERT_TRUE(Device.WaitReceived(5002, LongWaitMs));
    EXPECT_EQ(Device.Received(), "<" + Long + ">");
}

TEST_F(SendTest, AWriteThatCannotLeaveTimesOut)
{
    ASSERT_TRUE(Uart.Open());
    Device.PauseReading();
    // More than the pseudo-terminal holds; the write time-out is 5001 ms.
    const std::string Big(1 << 20, 'x');
    const auto Start = TClock::now();
    EXPECT_EQ(Uart.SendData(static_cast<unsigned>(Big.size()), Big.data()), 4);
    EXPECT_GE(MsBetween(Start, TClock::now()), 5001);
    EXPECT_EQ(Uart.LastErrMsg(), "Timeout when send to comm");
    Device.ResumeReading();
    EXPECT_EQ(Uart.SendData(2, "ok"), 0);
    EXPECT_EQ(Uart.LastErrMsg(), "");
}

TEST_F(SendTest, TextFileThatCannotBeSent)
{
    ASSERT_TRUE(Uart.Open());
    TTextFile Empty("");
    struct TCase {
        const char* Name;
        const char* Path;
        const char* Message;
    };
    const TCase Cases[] = {
        {"missing", "/tmp/vtx-no-such-file.txt", "Can not open file"},
        {"a folder", "/tmp", "Can not open file"},
        {"no path", nullptr, "Can not open file"},
        {"empty", Empty.Path(), "Can not read file"},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        EXPECT_EQ(Uart.SendTxtFile(Case.Path, 0), 5);
        EXPECT_EQ(Uart.LastErrMsg(), Case.Message);
        EXPECT_FALSE(Uart.SendingTxtFile());
    }
    EXPECT_EQ(Device.Received(), "");
}

TEST_F(SendTest, ReadOnlyTextFileIsRefused)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop the superuser";
    ASSERT_TRUE(Uart.Open());
    // Opened for update: a read-only file is refused.
    TTextFile ReadOnly("line\n");
    std::filesystem::permissions(ReadOnly.Path(), std::filesystem::perms::owner_read);
    EXPECT_EQ(Uart.SendTxtFile(ReadOnly.Path(), 0), 5);
    EXPECT_EQ(Uart.LastErrMsg(), "Can not open file");
    EXPECT_EQ(Device.Received(), "");
}

TEST_F(SendTest, TextFileGoesLineByLineThenOneTxdEmpty)
{
    OpenCountingTxdEmpty();
    TTextFile File("one\r\ntwo\nthree");
    ASSERT_EQ(Uart.SendTxtFile(File.Path(), 0), 0) << Uart.LastErrMsg();
    EXPECT_EQ(Uart.LastErrMsg(), "");
    ASSERT_TRUE(RunUntil([&] { return TxdEmpties >= 1; }));
    ASSERT_TRUE(Device.WaitReceived(13, LongWaitMs));
    EXPECT_EQ(Device.Received(), "one\r\ntwo\nthree") << "carriage returns stay as they are";
    EXPECT_FALSE(Uart.SendingTxtFile());
    RunQuietly();
    EXPECT_EQ(TxdEmpties, 1) << "one OnTxdEmpty for the whole file";
    EXPECT_EQ(Uart.SendData(1, "!"), 0) << "sending is free again";
}

TEST_F(SendTest, LinesAreDelayedAfterEachTransmitEmpty)
{
    OpenCountingTxdEmpty();
    TTextFile File("first\nsecond\nthird\n");
    const auto Start = TClock::now();
    ASSERT_EQ(Uart.SendTxtFile(File.Path(), 100), 0);
    EXPECT_EQ(Uart.SendData(1, "x"), 3) << "a transfer is under way";
    EXPECT_EQ(Uart.SendTxtFile(File.Path(), 100), 3);
    EXPECT_EQ(Uart.LastErrMsg(), "");
    ASSERT_TRUE(RunUntil([&] { return TxdEmpties >= 1; }));
    ASSERT_TRUE(Device.WaitReceived(19, LongWaitMs));
    EXPECT_EQ(Device.Received(), "first\nsecond\nthird\n");
    // Each line leaves no earlier than 100 ms after the transmit-empty of the
    // one before, which comes after Start; the due time is computed from a
    // system time in whole milliseconds, hence 99.
    const auto Chunks = Device.Chunks();
    EXPECT_GE(MsBetween(Start, ArrivalOf(Chunks, 6)), 99);
    EXPECT_GE(MsBetween(Start, ArrivalOf(Chunks, 13)), 198);
    EXPECT_EQ(TxdEmpties, 1);
}

TEST_F(SendTest, ALongLineGoesInPiecesPacedLikeLines)
{
    OpenCountingTxdEmpty();
    // fgets takes at most SysUartTxdQueueSize - 1 = 1023 characters.
    std::string Line(2500, 'a');
    for (std::size_t i = 0; i < Line.size(); ++i)
        Line[i] = static_cast<char>('a' + i % 26);
    Line += '\n';
    TTextFile File(Line);
    const auto Start = TClock::now();
    ASSERT_EQ(Uart.SendTxtFile(File.Path(), 50), 0);
    ASSERT_TRUE(RunUntil([&] { return TxdEmpties >= 1; }));
    ASSERT_TRUE(Device.WaitReceived(Line.size(), LongWaitMs));
    EXPECT_EQ(Device.Received(), Line);
    const auto Chunks = Device.Chunks();
    EXPECT_GE(MsBetween(Start, ArrivalOf(Chunks, 1023)), 49);
    EXPECT_GE(MsBetween(Start, ArrivalOf(Chunks, 2046)), 98);
}

TEST_F(SendTest, CloseEndsATransferAndTheNextOpenStartsClean)
{
    OpenCountingTxdEmpty();
    TTextFile File("slow\nlines\nhere\n");
    ASSERT_EQ(Uart.SendTxtFile(File.Path(), 60000), 0);
    EXPECT_TRUE(Uart.SendingTxtFile());
    EXPECT_TRUE(Uart.Close());
    EXPECT_FALSE(Uart.SendingTxtFile());

    ASSERT_TRUE(Uart.Open());
    Device.ClearReceived();
    EXPECT_EQ(Uart.SendData(3, "new"), 0);
    EXPECT_EQ(Uart.SendTxtFile(File.Path(), 0), 0);
    ASSERT_TRUE(RunUntil([&] { return TxdEmpties >= 1 && !Uart.SendingTxtFile(); }));
    ASSERT_TRUE(Device.WaitReceived(19, LongWaitMs));
    EXPECT_EQ(Device.Received(), "newslow\nlines\nhere\n");
}

TEST_F(SendTest, ATransferKeepsTheLineSizeItStartedWith)
{
    OpenCountingTxdEmpty();
    // Lines longer than the 1023 characters that a 1024-byte queue reads at a
    // time: each goes in two pieces, each piece one line delay after the
    // transmit-empty of the one before.
    constexpr unsigned Delay = 40;
    std::string Text;
    std::vector<std::size_t> PieceStarts;
    for (char Mark : {'a', 'b', 'c', 'd'}) {
        PieceStarts.push_back(Text.size());
        PieceStarts.push_back(Text.size() + 1023);
        Text += std::string(1500, Mark) + '\n';
    }
    TTextFile File(Text);
    const auto Start = TClock::now();
    ASSERT_EQ(Uart.SendTxtFile(File.Path(), Delay), 0) << Uart.LastErrMsg();
    // Takes effect at the next Open, not in the transfer under way.
    Uart.pw_SysUartTxdQueueSize(8192);
    ASSERT_TRUE(RunUntil([&] { return TxdEmpties >= 1; }));
    ASSERT_TRUE(Device.WaitReceived(Text.size(), LongWaitMs));
    EXPECT_EQ(Device.Received(), Text) << "every line once, in order";
    // A piece leaves no earlier than one delay a piece before it after Start
    // (the due time is computed from a system time in whole milliseconds).
    const auto Chunks = Device.Chunks();
    for (std::size_t Piece = 0; Piece < PieceStarts.size(); ++Piece)
        EXPECT_GE(MsBetween(Start, ArrivalOf(Chunks, PieceStarts[Piece])), static_cast<long long>(Piece * (Delay - 1)))
            << "piece " << Piece << " was read with the new size";
    EXPECT_EQ(TxdEmpties, 1);
}
