// The status packet reader, byte by byte as the port hands them over, and
// the offline watchdog, tick by tick.

#include "MonitorFixture.h"

#include <cstring>

namespace {

using monitorlink::bl_Long;
using monitorlink::bl_Short;
using monitorlink::StatusBody;
using monitorlink::StatusPacket;
using monitorlink::TDeviceReport;

const std::string FA = "\xFA";
const std::string FB = "\xFB";

using StatusPacketTest = THeldMonitorTest;

// The example packet of the device's short layout, field by field.
TEST_F(StatusPacketTest, ShortBodyIsDecodedFieldByField)
{
    Feed(std::string("\xFA\x12\x08\x21\x02\x23\x59\x58\x08\x42\x05\x21\x45\xFB", 14));
    TDeviceReport Example;   // 2012-08-21, Tuesday, 23:59:58, all on, song 42, state 5, finish 21:45
    ExpectStatusOf(Example);
    EXPECT_EQ(DeviceOnline, 1);
    EXPECT_EQ(InStatusPacket, 0);
    EXPECT_EQ(StatusBodyCount, 0);

    Tick2();
    ExpectShown("2012 / 08 / 21  TUE    ", "23 : 59 : 58", "42", true, "VTX-7430 Online");
}

TEST_F(StatusPacketTest, LongBodySkipsItsTwoExtraBytes)
{
    TDeviceReport R;
    R.Extra1 = 0x33;
    R.Extra2 = 0x44;
    R.SongNo = 0x17;
    R.ScheduleState = 3;
    R.FinishHour = 0x06;
    R.FinishMinute = 0x05;
    Feed(StatusPacket(R, bl_Long));
    ExpectStatusOf(R);
    EXPECT_EQ(DeviceOnline, 1);
}

// What a stream of bytes leaves behind: decoded as the report Expected, or
// nothing decoded at all (the start values, and the device not online).
struct TFramingCase {
    const char* Name;
    std::string Bytes;
    bool Decodes;
    TDeviceReport Expected;
};

// Test listings name a case instead of dumping its bytes.
void PrintTo(const TFramingCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

TDeviceReport Second()
{
    TDeviceReport R;
    R.Second = 0x07;
    R.SongNo = 0x99;
    R.ChannelState = 2;
    return R;
}

std::string Junk(std::size_t Count)
{
    return std::string(Count, '\x11');
}

class FramingTest : public StatusPacketTest, public ::testing::WithParamInterface<TFramingCase> {};

TEST_P(FramingTest, LeavesTheExpectedStatus)
{
    Feed(GetParam().Bytes);
    ExpectStatusOf(GetParam().Decodes ? GetParam().Expected : StartReport());
    EXPECT_EQ(DeviceOnline, GetParam().Decodes ? 1 : 0);
}

const TFramingCase FramingCases[] = {
    {"TwoStartBytesDecodeOnce", FA + FA + StatusBody(Second(), bl_Short) + FB, true, Second()},
    {"PacketCutShortIsDroppedAtTheNextStart", FA + Junk(5) + StatusPacket(Second()), true, Second()},
    {"EndByteOutsideAPacketChangesNothing", FB + Junk(12) + FB, false, {}},
    {"BytesBeforeTheFirstStartChangeNothing", std::string("\x12\x08\x21\x02\x23\x59\x58\x08\x42\x05\x21\x45", 12) + FB,
     false, {}},
    {"BodyOf64BytesIsDroppedAndItsEndIgnored", FA + Junk(64) + FB, false, {}},
    {"BodyOf63BytesIsDropped", FA + Junk(63) + FB, false, {}},
    {"EmptyBodyIsDropped", FA + FB, false, {}},
    {"BodyOf13BytesIsDropped", FA + Junk(13) + FB, false, {}},
    {"BodyOf11BytesIsDropped", FA + Junk(11) + FB, false, {}},
    {"LongBodyAfterAnUnfinishedOne", FA + Junk(3) + StatusPacket(Second(), bl_Long), true, Second()},
    {"NoiseBetweenPacketsDoesNotDisturbTheNext",
     StatusPacket(TDeviceReport()) + Junk(7) + FB + std::string("\x00\xFF\x7E", 3) + StatusPacket(Second()), true,
     Second()},
    {"OverlongBodyThenAGoodPacket", FA + Junk(200) + FB + StatusPacket(Second()), true, Second()},
};

INSTANTIATE_TEST_SUITE_P(Bytes, FramingTest, ::testing::ValuesIn(FramingCases),
                         [](const auto& Info) { return std::string(Info.param.Name); });

// The reader keeps every body byte inside its 64-byte buffer, however long
// the body runs.
TEST_F(StatusPacketTest, LongRunOfBodyBytesStaysInsideTheBuffer)
{
    Feed(FA);
    for (int I = 0; I < 1000; ++I) {
        Feed("\x21");
        ASSERT_LT(StatusBodyCount, MonRxdBuffSize) << I;
        if (StatusBodyCount == 0) {
            EXPECT_EQ(InStatusPacket, 0);
        }
    }
    EXPECT_EQ(InStatusPacket, 0) << "the 64th byte ended the packet; later bytes wait for a start";
}

// A damaged packet must not show bytes that an earlier, longer one left in
// the buffer.
TEST_F(StatusPacketTest, ShortenedBodyDoesNotShowEarlierBytes)
{
    TDeviceReport First;
    First.FinishHour = 0x10;
    First.FinishMinute = 0x20;
    Feed(StatusPacket(First, bl_Long));
    DeviceOnline = 0;
    Feed(FA + std::string("\x13\x09", 2) + FB);
    EXPECT_EQ(DeviceStatus.Year, 0x12);
    EXPECT_EQ(DeviceStatus.Month, 0x08);
    EXPECT_EQ(DeviceOnline, 0);
}

TEST_F(StatusPacketTest, SeveralBytesInOneDeliveryAreReadInTurn)
{
    std::string Bytes = StatusPacket(Second(), bl_Long);
    F().PcUart1RxdDatas(F().PcUart1, static_cast<int>(Bytes.size()), Bytes.data());
    EXPECT_EQ(DeviceStatus.SongNo, 0x99);
    EXPECT_EQ(DeviceOnline, 1);
    char Unused = '\xFA';
    F().PcUart1RxdDatas(F().PcUart1, 0, &Unused);
    EXPECT_EQ(InStatusPacket, 0) << "an empty delivery holds no byte";
}

TEST_F(StatusPacketTest, OnlyAnotherFinishTimeAllowsItsLineAgain)
{
    TDeviceReport R = ReportIn(3, 0x17, 0x30);
    Feed(StatusPacket(R));
    FinishTimeLogged = 1;
    Feed(StatusPacket(R));
    EXPECT_EQ(FinishTimeLogged, 1) << "the same finish time";
    R.FinishMinute = 0x31;
    Feed(StatusPacket(R));
    EXPECT_EQ(FinishTimeLogged, 0) << "another minute";
    FinishTimeLogged = 1;
    R.FinishHour = 0x18;
    Feed(StatusPacket(R));
    EXPECT_EQ(FinishTimeLogged, 0) << "another hour";
}

// The watchdog: eleven silent ticks mark the device offline, ten do not, and
// a packet that is not complete does not count as a sign of life.
TEST_F(StatusPacketTest, WatchdogMarksTheDeviceOfflineAfterElevenSilentTicks)
{
    Feed(StatusPacket(TDeviceReport()));
    Tick1(10);
    EXPECT_EQ(DeviceOnline, 1);
    Feed(FA + Junk(6));
    Tick1();
    EXPECT_EQ(DeviceOnline, 0);
    Tick2();
    EXPECT_EQ(PanelText(3), "VTX-7430 Offline");
}

TEST_F(StatusPacketTest, EachCompletePacketRestartsTheWatchdog)
{
    Feed(StatusPacket(TDeviceReport()));
    Tick1(10);
    Feed(StatusPacket(TDeviceReport()));
    Tick1(10);
    EXPECT_EQ(DeviceOnline, 1);
    EXPECT_EQ(NoResponseTicks, 10);
    Tick1();
    EXPECT_EQ(DeviceOnline, 0);
    Tick1(1000);
    Feed(StatusPacket(TDeviceReport()));
    EXPECT_EQ(DeviceOnline, 1);
    Tick1(10);
    EXPECT_EQ(DeviceOnline, 1) << "a long silence does not shorten the next one";
}

} // namespace
