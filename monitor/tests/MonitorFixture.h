#pragma once
// The monitor's window on the offscreen platform, driven as a user would,
// with a fresh module state and a responder for message boxes. A test that
// needs the device starts the simulated one on COM 3.
//
// The two timers run from the start, as in the program; tests that count
// ticks hold them (HoldTimers) and tick by hand, so that no tick of the real
// clock comes in between.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "V7430mon_en_src.h"
#include "YVclCtrl/PcUart.h"
#include "monitorlink/MonitorDevice.h"
#include "vcl/testing/Responder.h"
#include "vcl/testing/User.h"

constexpr unsigned DeviceCom = 3;
// Real-time waits are generous: the tests also run under sanitizers and load.
constexpr unsigned PatienceMs = 20000;

class TMonitorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A fresh program start: the unit's variables as at start.
        FinalizeUnitTables();
        InitializeUnitTables();
        Form = NewForm<TForm1>();
        Form1 = Form.get();
        TUser::ShowForm(Form.get());
    }

    void TearDown() override
    {
        // The port closes before the form, the form before the device.
        if (Form)
            Form->PcUart1->Close();
        Form.reset();
        Form1 = nullptr;
        Device.reset();
    }

    TForm1& F() { return *Form; }

    void StartDevice() { Device = std::make_unique<monitorlink::TMonitorDevice>(DeviceCom); }

    void HoldTimers()
    {
        F().Timer1->SetEnabled(false);
        F().Timer2->SetEnabled(false);
    }

    // Chooses an entry of the COM box as the user does ("Off", "COM 3").
    void ChooseCom(const AnsiString& Item) { ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[2], Item)); }

    // The device on COM 3, the port open on it, the timers held.
    void ConnectDevice()
    {
        StartDevice();
        ChooseCom("COM 3");
        ASSERT_TRUE(F().PcUart1->Opened()) << F().PcUart1->LastErrMsg();
        HoldTimers();
    }

    void Tick1(int Count = 1)
    {
        for (int I = 0; I < Count; ++I)
            F().Timer1Timer(F().Timer1);
    }
    void Tick2(int Count = 1)
    {
        for (int I = 0; I < Count; ++I)
            F().Timer2Timer(F().Timer2);
    }

    // Bytes as the port hands them to the form: one a call.
    void Feed(const std::string& Bytes)
    {
        for (char Byte : Bytes)
            F().PcUart1RxdDatas(F().PcUart1, 1, &Byte);
    }

    // Runs the window's events until Done holds; false after TimeoutMs.
    static bool WaitUntil(const std::function<bool()>& Done, unsigned TimeoutMs = PatienceMs)
    {
        const auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
        for (;;) {
            TUser::ProcessEvents();
            if (Done())
                return true;
            if (std::chrono::steady_clock::now() > Deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    std::vector<std::string> LogLines()
    {
        std::vector<std::string> Lines;
        for (int I = 0; I < F().RichEdit1->Lines()->Count(); ++I)
            Lines.push_back(F().RichEdit1->Lines()->Strings(I));
        return Lines;
    }

    // What the last refresh shows: clock lines, song, the channel boxes (all
    // seven ticked, or none) and the device's presence.
    void ExpectShown(const char* Date, const char* Time, const char* Song, bool AllChannels, const char* Presence)
    {
        EXPECT_EQ(DateLine, Date);
        EXPECT_EQ(TimeLine, Time);
        EXPECT_EQ(F().Edit1->Text(), Song);
        for (int Channel = 1; Channel <= 7; ++Channel)
            EXPECT_EQ(F().CheckBox[Channel]->Checked(), AllChannels) << "channel " << Channel;
        EXPECT_EQ(PanelText(3), Presence);
    }

    AnsiString PanelText(int Index) { return F().StatusBar1->Panels()->Items(Index)->Text(); }

    TTestResponder Responder;
    std::unique_ptr<monitorlink::TMonitorDevice> Device;
    TFormPtr<TForm1> Form;
};

// Ticks only when a test ticks: for the tests that count ticks or look at
// one refresh at a time.
class THeldMonitorTest : public TMonitorTest {
protected:
    void SetUp() override
    {
        TMonitorTest::SetUp();
        HoldTimers();
    }
};

// DeviceStatus holds the twelve fields of the report, byte for byte.
inline void ExpectStatusOf(const monitorlink::TDeviceReport& R)
{
    const std::uint8_t Want[12] = {R.Year,         R.Month,  R.Day,           R.WeekDay,    R.Hour,       R.Minute,
                                   R.Second,       R.ChannelState, R.SongNo, R.ScheduleState, R.FinishHour, R.FinishMinute};
    const TDeviceStatus& S = DeviceStatus;
    const std::uint8_t Have[12] = {S.Year,   S.Month,        S.Day,    S.WeekDay,       S.Hour,       S.Minute,
                                   S.Second, S.ChannelState, S.SongNo, S.ScheduleState, S.FinishHour, S.FinishMinute};
    for (int Field = 0; Field < 12; ++Field)
        EXPECT_EQ(int(Have[Field]), int(Want[Field])) << "field " << Field << " of the short body";
}

// The status before any packet, as a report.
inline monitorlink::TDeviceReport StartReport()
{
    monitorlink::TDeviceReport R;
    R.Year = R.Month = R.Day = 0x08;
    R.WeekDay = 4;
    R.Hour = 0x12;
    R.Minute = R.Second = 0x00;
    R.ChannelState = 0;
    R.SongNo = 0x00;
    R.ScheduleState = 0;
    R.FinishHour = R.FinishMinute = 0x00;
    return R;
}

// A report of the device with the given schedule state and finish time, the
// rest as in the short example packet.
inline monitorlink::TDeviceReport ReportIn(std::uint8_t State, std::uint8_t FinishHour = 0x17,
                                           std::uint8_t FinishMinute = 0x30)
{
    monitorlink::TDeviceReport R;
    R.ScheduleState = State;
    R.FinishHour = FinishHour;
    R.FinishMinute = FinishMinute;
    return R;
}
