#include "UartFixture.h"

#include <random>

using namespace uart_test;
using namespace YVclCtrl;

namespace {

constexpr std::size_t OneMiB = 1 << 20;

// Random bytes with a line feed at least every 1000 bytes, so that every
// line fits the 1024-byte receive queue.
std::string RandomLines(std::mt19937& Random)
{
    std::uniform_int_distribution<int> Byte(0, 255);
    std::uniform_int_distribution<int> LineLength(1, 1000);
    std::string Data;
    Data.reserve(OneMiB);
    int Left = LineLength(Random);
    while (Data.size() < OneMiB - 1) {
        char C = static_cast<char>(Byte(Random));
        if (--Left == 0) {
            C = '\n';
            Left = LineLength(Random);
        }
        if (C == '\n')
            Left = LineLength(Random);
        Data += C;
    }
    Data += '\n';
    return Data;
}

std::string RandomBytes(std::mt19937& Random)
{
    std::uniform_int_distribution<int> Byte(0, 255);
    std::string Data(OneMiB, '\0');
    for (char& C : Data)
        C = static_cast<char>(Byte(Random));
    return Data;
}

class Stress : public UartTest {
protected:
    // The device writes Data in random pieces of 1 to 4096 bytes while the
    // main loop takes the deliveries.
    void SendThrough(const std::string& Data, std::mt19937& Random)
    {
        Collect();
        ASSERT_TRUE(Uart.Open());
        std::vector<std::size_t> Pieces;
        std::uniform_int_distribution<std::size_t> PieceSize(1, 4096);
        for (std::size_t Sent = 0; Sent < Data.size();) {
            Pieces.push_back(std::min(PieceSize(Random), Data.size() - Sent));
            Sent += Pieces.back();
        }
        std::thread Writer([&] {
            std::size_t At = 0;
            for (std::size_t Size : Pieces) {
                Device.Write(std::string_view(Data).substr(At, Size));
                At += Size;
            }
        });
        const bool All = RunUntil([&] { return Received.size() >= Data.size(); }, 120000);
        Writer.join();
        ASSERT_TRUE(All) << Received.size() << " of " << Data.size();
        RunQuietly();
        ASSERT_EQ(Received.size(), Data.size()) << "nothing twice";
        EXPECT_TRUE(Received == Data) << "in order, byte for byte";
    }
};

} // namespace

TEST_F(Stress, OneMiBThroughTheDelimiterFilter)
{
    std::mt19937 Random(7430);
    const std::string Data = RandomLines(Random);
    Uart.RxdFilter_Style = rfs_ByDelimiterChar;
    SendThrough(Data, Random);
    for (const std::string& Line : Deliveries) {
        ASSERT_EQ(Line.back(), '\n');
        ASSERT_EQ(Line.find('\n'), Line.size() - 1) << "one line a delivery";
    }
}

TEST_F(Stress, OneMiBThroughThePacketFilter)
{
    std::mt19937 Random(14400);
    const std::string Data = RandomBytes(Random);
    Uart.RxdFilter_Style = rfs_ByBytesOfPacket;
    Uart.pw_BytesOfRxdPacket(128);
    SendThrough(Data, Random);
    for (const std::string& Packet : Deliveries)
        ASSERT_EQ(Packet.size(), 128u);
}
