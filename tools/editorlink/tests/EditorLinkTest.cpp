// The simulated VTX-7430, talked to from the port's side of its
// pseudo-terminal the way the editor talks to it: its CRC, its checks of
// each frame, the image it keeps and the shapes it can answer in.

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "editorlink/Vtx7430Device.h"

namespace {

using namespace std::chrono_literals;
using editorlink::TFrameBytes;
using editorlink::TVtx7430Device;

constexpr unsigned Com = 4;

// A frame as the editor builds it, with its CRC.
TFrameBytes MakeFrame(std::uint8_t Type, std::uint8_t Bank, std::uint8_t Number, const std::uint8_t* Payload)
{
    TFrameBytes Bytes{};
    Bytes[0] = Type;
    Bytes[1] = Bank;
    Bytes[2] = Number;
    std::memcpy(Bytes.data() + 3, Payload, editorlink::PayloadSize);
    Bytes[67] = editorlink::Crc8(Bytes.data(), 67);
    return Bytes;
}

// An image whose every block is told apart by its bytes.
std::vector<std::uint8_t> TestImage()
{
    std::vector<std::uint8_t> Image(editorlink::ImageSize);
    for (std::size_t I = 0; I < Image.size(); ++I)
        Image[I] = static_cast<std::uint8_t>(I * 7 + I / 64);
    return Image;
}

TFrameBytes DataFrame(const std::vector<std::uint8_t>& Image, int Number, std::uint8_t Bank = 0)
{
    return MakeFrame(2, Bank, static_cast<std::uint8_t>(Number), Image.data() + 64 * (Number - 1));
}

// 2026-12-09 (a Wednesday) 08:05:07.
TFrameBytes TimeFrame()
{
    std::uint8_t Payload[64] = {0x26, 0x12, 0x09, 0x03, 0x08, 0x05, 0x07};
    return MakeFrame(1, 0, 1, Payload);
}

class EditorLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Port = ::open(Device.SlavePath().c_str(), O_RDWR | O_NOCTTY);
        ASSERT_GE(Port, 0);
    }
    void TearDown() override
    {
        if (Port >= 0)
            ::close(Port);
    }

    void Send(const TFrameBytes& Frame) { Send(std::string(reinterpret_cast<const char*>(Frame.data()), Frame.size())); }
    void Send(const std::string& Bytes) { ASSERT_EQ(::write(Port, Bytes.data(), Bytes.size()), static_cast<ssize_t>(Bytes.size())); }

    // What the device sends within Wait; it stops early once Count bytes
    // have come.
    std::string Read(std::size_t Count, std::chrono::milliseconds Wait = 5000ms)
    {
        std::string Got;
        const auto End = std::chrono::steady_clock::now() + Wait;
        while (Got.size() < Count) {
            const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(End - std::chrono::steady_clock::now());
            if (Left.count() <= 0)
                break;
            pollfd Fd{Port, POLLIN, 0};
            if (::poll(&Fd, 1, static_cast<int>(Left.count())) <= 0)
                break;
            char Buffer[256];
            const ssize_t N = ::read(Port, Buffer, sizeof Buffer);
            if (N <= 0)
                break;
            Got.append(Buffer, static_cast<std::size_t>(N));
        }
        return Got;
    }

    TVtx7430Device Device{Com};
    int Port = -1;
    const std::vector<std::uint8_t> Image = TestImage();
};

const std::string Ack(1, editorlink::AckByte);
const std::string Nak(1, editorlink::NakByte);

TEST(EditorLinkCrc, IsCrc8Maxim)
{
    const char* Check = "123456789";
    EXPECT_EQ(editorlink::Crc8(reinterpret_cast<const std::uint8_t*>(Check), 9), 0xA1);
    const std::uint8_t One = 1;
    EXPECT_EQ(editorlink::Crc8(&One, 1), 0x5E);
    const TFrameBytes Frame = TimeFrame();
    EXPECT_EQ(editorlink::Crc8(Frame.data(), Frame.size()), 0);
}

TEST_F(EditorLinkTest, AsksWithC)
{
    Device.Ask();
    EXPECT_EQ(Read(1), "C");
    Device.Ask("\x01\x02");
    EXPECT_EQ(Read(3), "\x01\x02" "C");
}

TEST_F(EditorLinkTest, KeepsAWholeImageAnsweringEachBlockAck)
{
    Device.Ask();
    ASSERT_EQ(Read(1), "C");
    for (int Number = 1; Number <= editorlink::BlockCount; ++Number) {
        Send(DataFrame(Image, Number, 1));
        ASSERT_EQ(Read(1), Ack) << "block " << Number;
    }
    ASSERT_TRUE(Device.WaitDownloads(1, 5000ms));
    EXPECT_EQ(Device.Image(), Image);
    EXPECT_EQ(Device.ImageBank(), 1);
    EXPECT_EQ(Device.Frames().size(), 128u);
    // Until then the device held nothing.
    TVtx7430Device Other(Com + 1);
    EXPECT_TRUE(Other.Image().empty());
    EXPECT_EQ(Other.ImageBank(), -1);
}

struct TBadFrameCase {
    const char* Name;
    TFrameBytes (*Make)(const std::vector<std::uint8_t>& Image);
    editorlink::TVerdict Verdict;
};

const TBadFrameCase BadFrames[] = {
    {"crc", [](const std::vector<std::uint8_t>& I) { TFrameBytes F = DataFrame(I, 1); F[10] ^= 0x01; return F; },
     editorlink::vd_BadCrc},
    {"type", [](const std::vector<std::uint8_t>& I) { return MakeFrame(3, 0, 1, I.data()); }, editorlink::vd_BadFrame},
    {"bank", [](const std::vector<std::uint8_t>& I) { return MakeFrame(2, 2, 1, I.data()); }, editorlink::vd_BadFrame},
    {"block0", [](const std::vector<std::uint8_t>& I) { return MakeFrame(2, 0, 0, I.data()); }, editorlink::vd_BadFrame},
    {"block129", [](const std::vector<std::uint8_t>& I) { return MakeFrame(2, 0, 129, I.data()); },
     editorlink::vd_BadFrame},
    {"order", [](const std::vector<std::uint8_t>& I) { return DataFrame(I, 3); }, editorlink::vd_OutOfOrder},
    {"clock", [](const std::vector<std::uint8_t>&) {
         std::uint8_t Payload[64] = {0x26, 0x13, 0x09, 0x03, 0x08, 0x05, 0x07};
         return MakeFrame(1, 0, 1, Payload);
     },
     editorlink::vd_BadFrame},
    {"clocktail", [](const std::vector<std::uint8_t>&) {
         std::uint8_t Payload[64] = {0x26, 0x12, 0x09, 0x03, 0x08, 0x05, 0x07};
         Payload[63] = 1;
         return MakeFrame(1, 0, 1, Payload);
     },
     editorlink::vd_BadFrame},
};

void PrintTo(const TBadFrameCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

class EditorLinkBadFrameTest : public EditorLinkTest, public ::testing::WithParamInterface<TBadFrameCase> {};

TEST_P(EditorLinkBadFrameTest, IsAnsweredNakAndNotKept)
{
    Send(GetParam().Make(Image));
    EXPECT_EQ(Read(1), Nak);
    ASSERT_TRUE(Device.WaitFrames(1, 5000ms));
    EXPECT_EQ(Device.Frames()[0].Verdict, GetParam().Verdict);
    EXPECT_FALSE(Device.Clock().has_value());
    // The device still wants block 1.
    Send(DataFrame(Image, 1));
    EXPECT_EQ(Read(1), Ack);
}

INSTANTIATE_TEST_SUITE_P(Frames, EditorLinkBadFrameTest, ::testing::ValuesIn(BadFrames),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(EditorLinkTest, BankChangeWithinADownloadIsRefused)
{
    Send(DataFrame(Image, 1, 0));
    ASSERT_EQ(Read(1), Ack);
    Send(DataFrame(Image, 2, 1));
    EXPECT_EQ(Read(1), Nak);
    Send(DataFrame(Image, 2, 0));
    EXPECT_EQ(Read(1), Ack);
}

TEST_F(EditorLinkTest, TimeFrameSetsTheClock)
{
    Send(TimeFrame());
    EXPECT_EQ(Read(1), Ack);
    ASSERT_TRUE(Device.WaitClock(5000ms));
    EXPECT_EQ(*Device.Clock(), (editorlink::TDeviceClock{26, 12, 9, 3, 8, 5, 7}));
}

TEST_F(EditorLinkTest, BlockOneAgainStartsANewImage)
{
    Send(DataFrame(Image, 1));
    ASSERT_EQ(Read(1), Ack);
    Send(DataFrame(Image, 2));
    ASSERT_EQ(Read(1), Ack);
    std::vector<std::uint8_t> Other = Image;
    Other[0] ^= 0xFF;
    Send(DataFrame(Other, 1));
    EXPECT_EQ(Read(1), Ack);
    Send(DataFrame(Other, 2));
    EXPECT_EQ(Read(1), Ack);
    Send(DataFrame(Other, 4));
    EXPECT_EQ(Read(1), Nak);
}

TEST_F(EditorLinkTest, LostAckIsFollowedByNakAndTheRepeatIsTakenOnce)
{
    Device.SetRepeatWait(200ms);
    Device.LoseAck(1);
    Send(DataFrame(Image, 1));
    // No ACK: after its wait the device asks again.
    EXPECT_EQ(Read(1), Nak);
    Send(DataFrame(Image, 1));
    EXPECT_EQ(Read(1), Ack);
    Send(DataFrame(Image, 2));
    EXPECT_EQ(Read(1), Ack);
    const auto Frames = Device.Frames();
    ASSERT_EQ(Frames.size(), 3u);
    EXPECT_TRUE(Frames[0].AckLost);
    EXPECT_EQ(Frames[0].Verdict, editorlink::vd_Stored);
    EXPECT_EQ(Frames[1].Verdict, editorlink::vd_Repeat);
    EXPECT_EQ(Frames[2].Verdict, editorlink::vd_Stored);
}

TEST_F(EditorLinkTest, NakRunThenAck)
{
    Device.NakRun(2, 3);
    Send(DataFrame(Image, 1));
    ASSERT_EQ(Read(1), Ack);
    for (int I = 0; I < 3; ++I) {
        Send(DataFrame(Image, 2));
        EXPECT_EQ(Read(1), Nak) << I;
    }
    Send(DataFrame(Image, 2));
    EXPECT_EQ(Read(1), Ack);
}

TEST_F(EditorLinkTest, NoiseComesBeforeTheAnswerOnce)
{
    Device.NoiseBefore(1, "~!~");
    Send(DataFrame(Image, 1));
    EXPECT_EQ(Read(4), "~!~" + Ack);
    Send(DataFrame(Image, 2));
    EXPECT_EQ(Read(1), Ack);
}

TEST_F(EditorLinkTest, SilentFromABlockAnswersNothing)
{
    Device.SilentFrom(2);
    Send(DataFrame(Image, 1));
    ASSERT_EQ(Read(1), Ack);
    Send(DataFrame(Image, 2));
    EXPECT_EQ(Read(1, 300ms), "");
    ASSERT_TRUE(Device.WaitFrames(2, 5000ms));
    EXPECT_EQ(Device.Frames()[1].Verdict, editorlink::vd_Silent);
    Device.SilentFrom(0);
    Send(DataFrame(Image, 2));
    EXPECT_EQ(Read(1), Ack);
}

TEST_F(EditorLinkTest, IncompleteFrameIsAnsweredNakOnceTheLineIsQuiet)
{
    Send(std::string(30, 'x'));
    EXPECT_EQ(Read(1), Nak);
    ASSERT_TRUE(Device.WaitFrames(1, 5000ms));
    EXPECT_EQ(Device.Frames()[0].Verdict, editorlink::vd_Incomplete);
    Send(DataFrame(Image, 1));
    EXPECT_EQ(Read(1), Ack);
}

TEST_F(EditorLinkTest, BytesAfterABadFrameAreDrainedBeforeTheNak)
{
    TFrameBytes Bad = DataFrame(Image, 1);
    Bad[5] ^= 0x10;
    Send(std::string(reinterpret_cast<const char*>(Bad.data()), Bad.size()) + "tail");
    EXPECT_EQ(Read(1), Nak);
    EXPECT_EQ(Read(1, 200ms), "");
    EXPECT_EQ(Device.DrainedBytes(), 4u);
    EXPECT_EQ(Device.Frames().size(), 1u);
}

TEST_F(EditorLinkTest, ReportsEveryFrame)
{
    std::vector<std::string> Lines;
    std::mutex Lock;
    TVtx7430Device Reporting(Com + 2, [&](const std::string& Line) {
        std::lock_guard<std::mutex> Guard(Lock);
        Lines.push_back(Line);
    });
    const int Other = ::open(Reporting.SlavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(Other, 0);
    const TFrameBytes Frame = TimeFrame();
    ASSERT_EQ(::write(Other, Frame.data(), Frame.size()), 68);
    // The report is made before the answer goes out.
    pollfd Fd{Other, POLLIN, 0};
    ASSERT_EQ(::poll(&Fd, 1, 5000), 1);
    ::close(Other);
    std::lock_guard<std::mutex> Guard(Lock);
    ASSERT_EQ(Lines.size(), 1u);
    EXPECT_EQ(Lines[0], "time frame 26-12-09 day 3 08:05:07: clock set, ACK");
}

} // namespace
