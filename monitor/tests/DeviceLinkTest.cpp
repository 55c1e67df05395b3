// The monitor against the simulated device over a pseudo-terminal: status
// packets through the real port and its worker, split over reads, mixed
// with noise, in both layouts; the real timers for the offline watchdog and
// for the automatic clock setting once the day's schedule has finished.

#include "MonitorFixture.h"

#include <atomic>
#include <mutex>

#include "monitorlink/SimulatedPlayer.h"

namespace {

using monitorlink::bl_Long;
using monitorlink::bl_Short;
using monitorlink::StatusPacket;
using monitorlink::TBodyLayout;
using monitorlink::TDeviceReport;

// Writes the current report every 100 ms, as the device does every second,
// until stopped.
class TPacketPump {
public:
    explicit TPacketPump(monitorlink::TMonitorDevice& ADevice) : Device(ADevice) {}
    ~TPacketPump() { Stop(); }

    void Set(const TDeviceReport& Report)
    {
        std::lock_guard<std::mutex> Guard(Lock);
        Current = Report;
    }
    void Start()
    {
        Running = true;
        Thread = std::thread([this] {
            while (Running) {
                TDeviceReport Report;
                {
                    std::lock_guard<std::mutex> Guard(Lock);
                    Report = Current;
                }
                Device.SendStatus(Report);
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            }
        });
    }
    void Stop()
    {
        Running = false;
        if (Thread.joinable())
            Thread.join();
    }

private:
    monitorlink::TMonitorDevice& Device;
    std::mutex Lock;
    TDeviceReport Current;
    std::atomic<bool> Running{false};
    std::thread Thread;
};

class DeviceLinkTest : public TMonitorTest, public ::testing::WithParamInterface<TBodyLayout> {};

TEST_P(DeviceLinkTest, PacketSplitAcrossReadsIsDecodedWhole)
{
    ConnectDevice();
    TDeviceReport R;
    R.Second = 0x31;
    R.SongNo = 0x05;
    const std::string Packet = StatusPacket(R, GetParam());
    Device->Send(Packet.substr(0, 5));
    ASSERT_TRUE(WaitUntil([] { return InStatusPacket == 1 && StatusBodyCount == 4; }));
    EXPECT_EQ(DeviceOnline, 0);
    Device->Send(Packet.substr(5, 4));
    ASSERT_TRUE(WaitUntil([] { return StatusBodyCount == 8; }));
    Device->Send(Packet.substr(9));
    ASSERT_TRUE(WaitUntil([] { return DeviceOnline == 1; }));
    ExpectStatusOf(R);
    Tick2();
    EXPECT_EQ(TimeLine, "23 : 59 : 31");
    EXPECT_EQ(F().Edit1->Text(), "5");
}

TEST_P(DeviceLinkTest, NoiseBetweenPacketsIsPassedOver)
{
    ConnectDevice();
    TDeviceReport First, Last;
    First.SongNo = 0x01;
    Last.SongNo = 0x02;
    Last.ChannelState = 4;
    Device->Send(std::string("\x00\x13\xFB\x7F", 4) + StatusPacket(First, GetParam()) + "\xFB\x01\x02" + "\xFA\x03\x04" +
                 std::string(70, '\x55') + "\xFB" + StatusPacket(Last, GetParam()));
    ASSERT_TRUE(WaitUntil([] { return DeviceStatus.SongNo == 0x02; }));
    ExpectStatusOf(Last);
    EXPECT_EQ(DeviceOnline, 1);
}

TEST_P(DeviceLinkTest, BurstOfPacketsEndsWithTheLast)
{
    ConnectDevice();
    std::string Burst;
    for (int Second = 0; Second < 60; ++Second) {
        TDeviceReport R;
        R.Second = monitorlink::ToBcd(Second);
        Burst += StatusPacket(R, GetParam());
    }
    Device->Send(Burst);
    ASSERT_TRUE(WaitUntil([] { return DeviceStatus.Second == 0x59; }));
    EXPECT_EQ(InStatusPacket, 0);
    Tick2();
    EXPECT_EQ(TimeLine, "23 : 59 : 59");
}

INSTANTIATE_TEST_SUITE_P(Layouts, DeviceLinkTest, ::testing::Values(bl_Short, bl_Long),
                         [](const auto& Info) { return std::string(Info.param == bl_Short ? "Short" : "Long"); });

using RealClockTest = TMonitorTest;

// The real timers: online while packets come, offline some ten seconds after
// the last one.
TEST_F(RealClockTest, DeviceGoesOfflineWhenItsPacketsStop)
{
    StartDevice();
    ChooseCom("COM 3");
    TPacketPump Pump(*Device);
    Pump.Set(ReportIn(0));
    Pump.Start();
    ASSERT_TRUE(WaitUntil([this] { return PanelText(3) == "VTX-7430 Online"; }));
    TUser::Wait(1500);
    EXPECT_EQ(PanelText(3), "VTX-7430 Online") << "packets keep the device online";
    Pump.Stop();
    const auto Stopped = std::chrono::steady_clock::now();
    ASSERT_TRUE(WaitUntil([this] { return PanelText(3) == "VTX-7430 Offline"; }, 40000));
    EXPECT_GE(std::chrono::steady_clock::now() - Stopped, std::chrono::seconds(9));
}

// The real timers and the simulated player: the day's schedule runs, then
// finishes; with "Auto time sync." ticked the monitor sets the player's
// clock from the PC's, once.
TEST_F(RealClockTest, AutomaticClockSettingOnceTheSchedulesHaveFinished)
{
    StartDevice();
    using TClock = monitorlink::TSimulatedPlayer::TClock;
    monitorlink::TSimulatedPlayer Player({2008, 8, 8, 21, 44, 0}, TClock::now());
    Player.SetFinishTime(21, 45);
    ASSERT_TRUE(TUser::Click(F().CheckBox[9]));
    ChooseCom("COM 3");
    TPacketPump Pump(*Device);
    Pump.Set(Player.Report(TClock::now()));
    Pump.Start();
    ASSERT_TRUE(WaitUntil([] { return FinishTimeLogged == 1; }));

    const TDateTime Before = Now();
    Player.Apply(monitorlink::ReadCommandFrames("$PCCTLD214500*").at(0), TClock::now());
    Pump.Set(Player.Report(TClock::now()));
    ASSERT_TRUE(WaitUntil([this] { return Device->Frames().size() >= 2; }));
    const TDateTime After = Now();
    const std::vector<monitorlink::TCommandFrame> Frames = Device->Frames();
    ASSERT_EQ(Frames[0].Letter, 'D');
    ASSERT_EQ(Frames[1].Letter, 'C');
    // The frames tell the PC's clock between the two readings here.
    const std::string Early = FormatDateTime("hhnnss", Before), Late = FormatDateTime("hhnnss", After);
    EXPECT_TRUE(Frames[0].Digits == Early || Frames[0].Digits == Late ||
                (Frames[0].Digits > Early && Frames[0].Digits < Late))
        << Frames[0].Digits << " not within " << Early << " .. " << Late;
    const std::string Date = FormatDateTime("yymmdd", After) + IntToStr(DayOfWeek(After) - 1);
    EXPECT_EQ(Frames[1].Digits.substr(0, 6), Date.substr(0, 6));

    // The player takes them; its next packets show the PC's date.
    for (const monitorlink::TCommandFrame& Frame : Frames)
        ASSERT_TRUE(Player.Apply(Frame, TClock::now())) << Frame.Bytes;
    Pump.Set(Player.Report(TClock::now()));
    const std::uint8_t Year = monitorlink::ToBcd(std::stoi(FormatDateTime("yy", After)));
    ASSERT_TRUE(WaitUntil([Year] { return DeviceStatus.Year == Year; }));
    TUser::Wait(1500);
    Pump.Stop();
    EXPECT_EQ(Device->Frames().size(), 2u) << "once";
    EXPECT_EQ(LogLines(), (std::vector<std::string>{">> Schedule finish time: 21 : 45", "", ">> All schedule finish.",
                                                     "", "<< Automatic time sync.", ""}));
}

} // namespace
