#pragma once
// A simulated VTX-7430 on the far side of a pseudo-terminal, mapped as
// COM<n> of this process, as the schedule editor's link meets it.
//
// Ask() sends 'C'. Each 68-byte frame that comes back is checked: a data
// frame with a good CRC and the next block number is kept and answered ACK,
// so that after block 128 the device holds the whole image; a good time
// frame sets its clock and is answered ACK; a damaged or unexpected frame
// is answered NAK once the line has gone quiet. A block sent again after a
// lost ACK is answered ACK and not kept twice.
//
// It can also be told to answer in the shapes a real line produces, each
// keyed by the block number of the frame it answers (the time frame is
// block 1): a lost ACK, noise before an answer, a run of NAKs, silence.
//
// The device runs on a thread of its own; every member may be called from
// any thread.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "editorlink/BlockFrame.h"
#include "simdevice/PtyDevice.h"

namespace editorlink {

enum TVerdict {
    vd_Stored,       // data frame kept
    vd_Repeat,       // the block kept last, again: answered ACK, not kept twice
    vd_ClockSet,     // time frame taken
    vd_BadCrc,       // the CRC over the frame is not 0
    vd_BadFrame,     // good CRC, but no frame the device takes
    vd_OutOfOrder,   // a data block other than the next one
    vd_Incomplete,   // fewer than 68 bytes, then the line went quiet
    vd_ShapedNak,    // answered NAK by a NAK run
    vd_Silent,       // not answered: silence
};

const char* VerdictText(TVerdict Verdict);

struct TFrameRecord {
    TFrame Frame;
    TVerdict Verdict = vd_Stored;
    char Answer = 0;        // ACK, NAK, or 0 when nothing went back
    bool AckLost = false;   // the ACK was not sent, as if lost on the line
};

class TVtx7430Device {
public:
    using TReport = std::function<void(const std::string& Line)>;

    // Raises std::runtime_error when no pseudo-terminal can be had. Report,
    // when given, gets one line for every frame and answer, on the device's
    // thread.
    explicit TVtx7430Device(unsigned ComNumber, TReport Report = {});
    ~TVtx7430Device();
    TVtx7430Device(const TVtx7430Device&) = delete;
    TVtx7430Device& operator=(const TVtx7430Device&) = delete;

    const std::string& SlavePath() const { return FLine.SlavePath(); }
    unsigned ComNumber() const { return FLine.ComNumber(); }

    // ---- Shapes.
    // The ACK for the next good frame of this block is lost: the device
    // waits RepeatWait for the following frame, then asks again with NAK.
    void LoseAck(int Number);
    // The next answer to this block comes after the noise, in one write.
    // The noise should hold none of 'C', ACK and NAK.
    void NoiseBefore(int Number, std::string Noise);
    // The next Count frames of this block are answered NAK, whatever they hold.
    void NakRun(int Number, int Count);
    // From this block on nothing is answered (0: answer again).
    void SilentFrom(int Number);
    void SetRepeatWait(std::chrono::milliseconds Wait);

    // ---- The line.
    // Sends 'C' (after Noise, in the same write): a transfer from the start.
    void Ask(std::string_view Noise = {});
    // Sends any bytes.
    void Send(std::string_view Bytes);
    // Closes the device side: the port sees a hang-up.
    void HangUp();

    // ---- What the device holds and has seen.
    // The image of the last download that came in whole, and its bank;
    // empty and -1 before.
    std::vector<std::uint8_t> Image() const;
    int ImageBank() const;
    // Complete downloads since the device started.
    int Downloads() const;
    std::optional<TDeviceClock> Clock() const;
    std::vector<TFrameRecord> Frames() const;
    // Bytes the port sent that were neither part of a frame nor taken.
    std::size_t DrainedBytes() const;

    // Each waits until the condition holds; false after Timeout.
    bool WaitDownloads(int Count, std::chrono::milliseconds Timeout) const;
    bool WaitClock(std::chrono::milliseconds Timeout) const;
    bool WaitFrames(std::size_t Count, std::chrono::milliseconds Timeout) const;

private:
    using TClock = std::chrono::steady_clock;

    void Run();
    bool TakeNewBytes(std::string& Pending, std::chrono::milliseconds Wait);
    void Drain(std::string& Pending);
    void Answer(const TFrame& Frame, std::string& Pending);
    TVerdict Judge(const TFrame& Frame);
    void Finish(TFrameRecord Record, const std::string& Noise);
    void Say(const std::string& Line);

    simdevice::TPtyDevice FLine;
    TReport FReport;

    mutable std::mutex FLock;
    mutable std::condition_variable FChanged;
    // Shapes.
    std::map<int, int> FLoseAck;          // block -> ACKs still to lose
    std::map<int, std::string> FNoise;
    std::map<int, int> FNakRuns;          // block -> NAKs still to give
    int FSilentFrom = 0;
    std::chrono::milliseconds FRepeatWait{300};
    // The download coming in.
    std::vector<std::uint8_t> FIncoming;
    int FIncomingBank = -1;
    int FNext = 1;                        // the block wanted next
    std::optional<TFrameBytes> FLastKept; // the frame of the block kept last
    // What the device holds.
    std::vector<std::uint8_t> FImage;
    int FImageBank = -1;
    int FDownloads = 0;
    std::optional<TDeviceClock> FClock;
    std::vector<TFrameRecord> FFrames;
    std::size_t FDrained = 0;
    std::size_t FConsumed = 0;            // bytes of the line taken so far
    // Set after a lost ACK: when no frame has come by then, NAK.
    std::optional<TClock::time_point> FReaskAt;
    bool FStopping = false;
    std::thread FThread;
};

} // namespace editorlink
