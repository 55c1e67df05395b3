#include "editorlink/Vtx7430Device.h"

#include <cstdio>
#include <cstring>

namespace editorlink {

namespace {

using namespace std::chrono_literals;

// How long the device waits for more of a frame it has only in part, and
// how long the line must stay quiet before a NAK (the device drains what
// comes in the meantime).
constexpr auto IncompleteWait = 1000ms;
constexpr auto QuietTime = 20ms;
// How often the device thread looks at its stop flag and its re-ask time.
constexpr auto PollTime = 10ms;

bool Answered(TVerdict Verdict)
{
    return Verdict == vd_Stored || Verdict == vd_Repeat || Verdict == vd_ClockSet;
}

std::string FrameText(const TFrame& Frame)
{
    char Text[96];
    if (Frame.Type() == ft_Time) {
        const std::uint8_t* P = Frame.Payload();
        std::snprintf(Text, sizeof Text, "time frame %02X-%02X-%02X day %u %02X:%02X:%02X", P[0], P[1], P[2], P[3], P[4],
                      P[5], P[6]);
    } else if (Frame.Type() == ft_Data) {
        std::snprintf(Text, sizeof Text, "data block %u, table %c", Frame.Number(), Frame.Bank() == 0 ? 'A' : 'B');
    } else {
        std::snprintf(Text, sizeof Text, "frame of type %u, block %u", Frame.Type(), Frame.Number());
    }
    return Text;
}

const char* AnswerText(char Answer)
{
    return Answer == AckByte ? "ACK" : Answer == NakByte ? "NAK" : "no answer";
}

} // namespace

const char* VerdictText(TVerdict Verdict)
{
    switch (Verdict) {
    case vd_Stored: return "kept";
    case vd_Repeat: return "the same block again, already kept";
    case vd_ClockSet: return "clock set";
    case vd_BadCrc: return "bad CRC";
    case vd_BadFrame: return "not a frame the device takes";
    case vd_OutOfOrder: return "not the block wanted next";
    case vd_Incomplete: return "incomplete";
    case vd_ShapedNak: return "NAK run";
    case vd_Silent: return "silent";
    }
    return "";
}

TVtx7430Device::TVtx7430Device(unsigned ComNumber, TReport Report) : FLine(ComNumber), FReport(std::move(Report))
{
    FThread = std::thread([this] { Run(); });
}

TVtx7430Device::~TVtx7430Device()
{
    {
        std::lock_guard<std::mutex> Guard(FLock);
        FStopping = true;
    }
    if (FThread.joinable())
        FThread.join();
}

void TVtx7430Device::HangUp()
{
    {
        std::lock_guard<std::mutex> Guard(FLock);
        FStopping = true;
    }
    if (FThread.joinable())
        FThread.join();
    FLine.HangUp();
}

// ---------------------------------------------------------------------------
// Shapes

void TVtx7430Device::LoseAck(int Number)
{
    std::lock_guard<std::mutex> Guard(FLock);
    ++FLoseAck[Number];
}

void TVtx7430Device::NoiseBefore(int Number, std::string Noise)
{
    std::lock_guard<std::mutex> Guard(FLock);
    FNoise[Number] = std::move(Noise);
}

void TVtx7430Device::NakRun(int Number, int Count)
{
    std::lock_guard<std::mutex> Guard(FLock);
    FNakRuns[Number] = Count;
}

void TVtx7430Device::SilentFrom(int Number)
{
    std::lock_guard<std::mutex> Guard(FLock);
    FSilentFrom = Number;
}

void TVtx7430Device::SetRepeatWait(std::chrono::milliseconds Wait)
{
    std::lock_guard<std::mutex> Guard(FLock);
    FRepeatWait = Wait;
}

// ---------------------------------------------------------------------------
// The line

void TVtx7430Device::Ask(std::string_view Noise)
{
    {
        std::lock_guard<std::mutex> Guard(FLock);
        FNext = 1;
        FLastKept.reset();
        FReaskAt.reset();
    }
    std::string Bytes(Noise);
    Bytes += AskByte;
    FLine.Write(Bytes);
    Say("asks: C");
}

void TVtx7430Device::Send(std::string_view Bytes)
{
    FLine.Write(Bytes);
}

void TVtx7430Device::Say(const std::string& Line)
{
    if (FReport)
        FReport(Line);
}

bool TVtx7430Device::TakeNewBytes(std::string& Pending, std::chrono::milliseconds Wait)
{
    if (!FLine.WaitReceived(FConsumed + 1, static_cast<unsigned>(Wait.count())))
        return false;
    const std::string All = FLine.Received();
    Pending.append(All, FConsumed, std::string::npos);
    FConsumed = All.size();
    return true;
}

// Throws away what is left of a bad frame and whatever follows it, until
// the line has been quiet for a while.
void TVtx7430Device::Drain(std::string& Pending)
{
    while (TakeNewBytes(Pending, QuietTime)) {
    }
    std::lock_guard<std::mutex> Guard(FLock);
    FDrained += Pending.size();
    Pending.clear();
}

void TVtx7430Device::Run()
{
    std::string Pending;
    TClock::time_point LastByte = TClock::now();
    for (;;) {
        {
            std::lock_guard<std::mutex> Guard(FLock);
            if (FStopping)
                return;
        }
        if (TakeNewBytes(Pending, PollTime))
            LastByte = TClock::now();
        while (Pending.size() >= FrameSize) {
            const TFrame Frame = FrameOf(Pending);
            Pending.erase(0, FrameSize);
            Answer(Frame, Pending);
        }
        if (!Pending.empty() && TClock::now() - LastByte > IncompleteWait) {
            TFrameRecord Record;
            Record.Frame = FrameOf(Pending);
            Record.Verdict = vd_Incomplete;
            Record.Answer = NakByte;
            Drain(Pending);
            Finish(Record, std::string());
        }
        bool Reask = false;
        {
            std::lock_guard<std::mutex> Guard(FLock);
            if (FReaskAt && TClock::now() >= *FReaskAt && Pending.empty()) {
                FReaskAt.reset();
                Reask = true;
            }
        }
        if (Reask) {
            FLine.Write(std::string_view(&NakByte, 1));
            Say("no frame after the lost ACK: NAK");
        }
    }
}

void TVtx7430Device::Answer(const TFrame& Frame, std::string& Pending)
{
    TFrameRecord Record;
    Record.Frame = Frame;
    std::string Noise;
    {
        std::lock_guard<std::mutex> Guard(FLock);
        const int Number = Frame.Number();
        FReaskAt.reset();
        auto Run = FNakRuns.find(Number);
        if (FSilentFrom > 0 && Number >= FSilentFrom) {
            Record.Verdict = vd_Silent;
        } else if (Run != FNakRuns.end() && Run->second > 0) {
            --Run->second;
            Record.Verdict = vd_ShapedNak;
        } else {
            Record.Verdict = Judge(Frame);
        }
        if (Record.Verdict != vd_Silent)
            Record.Answer = Answered(Record.Verdict) ? AckByte : NakByte;
        auto Lose = FLoseAck.find(Number);
        if (Record.Answer == AckByte && Lose != FLoseAck.end() && Lose->second > 0) {
            --Lose->second;
            Record.AckLost = true;
            FReaskAt = TClock::now() + FRepeatWait;
        }
        auto Before = FNoise.find(Number);
        if (Record.Answer != 0 && !Record.AckLost && Before != FNoise.end()) {
            Noise = std::move(Before->second);
            FNoise.erase(Before);
        }
    }
    if (Record.Answer == NakByte)
        Drain(Pending);
    Finish(Record, Noise);
}

// Judges a frame that no shape has taken, and keeps what it carries. The
// caller holds FLock.
TVerdict TVtx7430Device::Judge(const TFrame& Frame)
{
    if (!Frame.CrcGood())
        return vd_BadCrc;
    if (Frame.Type() == ft_Time) {
        const std::optional<TDeviceClock> Clock = ClockOf(Frame);
        if (!Clock)
            return vd_BadFrame;
        FClock = Clock;
        return vd_ClockSet;
    }
    const int Number = Frame.Number();
    const int Bank = Frame.Bank();
    if (Frame.Type() != ft_Data || Bank > 1 || Number < 1 || Number > BlockCount)
        return vd_BadFrame;
    // The block kept last, sent again because its ACK did not arrive.
    if (Number == FNext - 1 && FLastKept == Frame.Bytes)
        return vd_Repeat;
    // A first block always begins a new image: the editor starts again.
    if (Number == 1) {
        FNext = 1;
        FIncoming.assign(ImageSize, 0x00);
        FIncomingBank = Bank;
    }
    if (Number != FNext)
        return vd_OutOfOrder;
    if (Bank != FIncomingBank)
        return vd_BadFrame;
    std::memcpy(FIncoming.data() + PayloadSize * (Number - 1), Frame.Payload(), PayloadSize);
    ++FNext;
    FLastKept = Frame.Bytes;
    if (Number == BlockCount) {
        FImage = FIncoming;
        FImageBank = FIncomingBank;
        ++FDownloads;
    }
    return vd_Stored;
}

// Records the frame, reports it, then sends the answer: whoever has the
// answer finds the frame recorded.
void TVtx7430Device::Finish(TFrameRecord Record, const std::string& Noise)
{
    {
        std::lock_guard<std::mutex> Guard(FLock);
        FFrames.push_back(Record);
    }
    FChanged.notify_all();
    std::string Line = FrameText(Record.Frame) + ": " + VerdictText(Record.Verdict) + ", ";
    Line += Record.AckLost ? "ACK lost" : AnswerText(Record.Answer);
    if (!Noise.empty())
        Line += " after noise";
    Say(Line);
    if (Record.Verdict == vd_Stored && Record.Frame.Number() == BlockCount) {
        const std::vector<std::uint8_t> Whole = Image();
        Say(std::string("holds a whole image for table ") + (ImageBank() == 0 ? "A" : "B") + ", its CRC " +
            (ImageCrcGood(Whole.data()) ? "good" : "BAD"));
    }
    if (Record.Answer != 0 && !Record.AckLost) {
        std::string Bytes = Noise;
        Bytes += Record.Answer;
        FLine.Write(Bytes);
    }
}

// ---------------------------------------------------------------------------
// What the device holds

std::vector<std::uint8_t> TVtx7430Device::Image() const
{
    std::lock_guard<std::mutex> Guard(FLock);
    return FImage;
}

int TVtx7430Device::ImageBank() const
{
    std::lock_guard<std::mutex> Guard(FLock);
    return FImageBank;
}

int TVtx7430Device::Downloads() const
{
    std::lock_guard<std::mutex> Guard(FLock);
    return FDownloads;
}

std::optional<TDeviceClock> TVtx7430Device::Clock() const
{
    std::lock_guard<std::mutex> Guard(FLock);
    return FClock;
}

std::vector<TFrameRecord> TVtx7430Device::Frames() const
{
    std::lock_guard<std::mutex> Guard(FLock);
    return FFrames;
}

std::size_t TVtx7430Device::DrainedBytes() const
{
    std::lock_guard<std::mutex> Guard(FLock);
    return FDrained;
}

bool TVtx7430Device::WaitDownloads(int Count, std::chrono::milliseconds Timeout) const
{
    std::unique_lock<std::mutex> Guard(FLock);
    return FChanged.wait_for(Guard, Timeout, [&] { return FDownloads >= Count; });
}

bool TVtx7430Device::WaitClock(std::chrono::milliseconds Timeout) const
{
    std::unique_lock<std::mutex> Guard(FLock);
    return FChanged.wait_for(Guard, Timeout, [&] { return FClock.has_value(); });
}

bool TVtx7430Device::WaitFrames(std::size_t Count, std::chrono::milliseconds Timeout) const
{
    std::unique_lock<std::mutex> Guard(FLock);
    return FChanged.wait_for(Guard, Timeout, [&] { return FFrames.size() >= Count; });
}

} // namespace editorlink
