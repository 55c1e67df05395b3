#pragma once
// The editor with its port on a pseudo-terminal as COM 3: the helpers to
// connect, start the commands, hand the receive handler the device's bytes,
// tick the watchdog and read the link log.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "EditorFixture.h"

#include "YVclCtrl/PcUart.h"

constexpr int LinkCom = 3;

class TLinkTest : public TEditorTest {
protected:
    void SetUp() override
    {
        TEditorTest::SetUp();
        StartEditor();
    }

    // Chooses the port on the system page and presses connect.
    void Connect(const char* Item = "COM 3")
    {
        ShowSystemPage();
        ASSERT_TRUE(TUser::ChooseItem(F().ComboBox[11], Item));
        Press(F().SpeedButton[1]);
    }

    // Presses a command button on the system page. A command disables its
    // own button, so the click's result (which reads the button's state
    // after the handler ran) is not asked for: the tests look at what the
    // command did.
    void PressCommand(TSpeedButton* Button)
    {
        ShowSystemPage();
        ASSERT_TRUE(Button->Enabled() && Button->Visible());
        TUser::Click(Button);
    }

    // Presses download, saving the untitled schedule as Name first.
    void StartDownload(const std::string& Name = "week.vsh")
    {
        if (ScheduleUntitled != 0)
            Responder.AnswerFileDialog(PathOf(Name));
        PressCommand(F().SpeedButton[3]);
    }

    void StartClock() { PressCommand(F().SpeedButton[9]); }

    // Bytes as one delivery of the port.
    void Deliver(const std::string& Bytes)
    {
        std::string Copy = Bytes;
        F().PcUart1->OnRxdDatas(F().PcUart1, static_cast<int>(Copy.size()), Copy.data());
    }

    // One tick of the watchdog, as the loop calls it.
    void Tick() { F().Timer1->OnTimer()(F().Timer1); }

    std::vector<std::string> Log()
    {
        std::vector<std::string> Lines;
        for (const AnsiString& Line : F().RichEdit1->Lines()->ToVector())
            Lines.push_back(Line);
        return Lines;
    }

    std::string LastLine()
    {
        const std::vector<std::string> Lines = Log();
        return Lines.empty() ? std::string() : Lines.back();
    }

    int CountLines(const std::string& Line)
    {
        int Count = 0;
        for (const std::string& Each : Log())
            Count += Each == Line;
        return Count;
    }

    static std::string SendLine(int Number, std::uint8_t Crc, bool Resend = false)
    {
        return std::string(Resend ? "===> Resend data block: " : "===> Send data block: ") + std::to_string(Number) +
               ",CRC = " + std::string(Format("%02X", Crc)) + " <===";
    }

    std::string Frame() const { return std::string(reinterpret_cast<const char*>(BlockFrame), BlockFrameSize); }

    bool CommandsEnabled() { return F().SpeedButton[3]->Enabled() && F().SpeedButton[9]->Enabled(); }
    bool CommandsDisabled() { return !F().SpeedButton[3]->Enabled() && !F().SpeedButton[9]->Enabled(); }

    // Runs the window's loop until Done holds; false after a generous time.
    static bool RunUntil(const std::function<bool()>& Done, std::chrono::seconds Limit = std::chrono::seconds(60))
    {
        const auto End = std::chrono::steady_clock::now() + Limit;
        while (!Done()) {
            if (std::chrono::steady_clock::now() > End)
                return false;
            TUser::Wait(5);
        }
        return true;
    }

    static constexpr char Ack = 0x06;
    static constexpr char Nak = 0x15;
    const std::string FinishLine = "===> VTX-7430 作息表更新完成 <===";
    const std::string FailureLine = "===> VTX-7430 作息表更新失敗 <===";
    const std::string AbortLine = "===> 連線終止!! <===";
};
