#pragma once
// A device on the far side of a pseudo-terminal.
//
// The port under test opens the slave side as COM<n>: the constructor sets
// VTX_COM<n> to the slave's path for this process. The device plays on the
// master side: it writes what the port is to receive, and a reader thread
// gathers what the port sends, with the time each piece arrived.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace simdevice {

// The line settings the port has put on the tty. (A pseudo-terminal keeps
// 8 data bits and no parity whatever it is asked.)
struct TPtyLine {
    unsigned Baud = 0;
    unsigned StopBits = 1;
    bool RtsCts = false;
    bool Raw = false;           // no echo, no line editing, no output processing
    bool ParityMarks = false;   // bad bytes marked for the port to replace
};

class TPtyDevice {
public:
    using TClock = std::chrono::steady_clock;
    struct TChunk {
        TClock::time_point At;
        std::string Bytes;
    };

    // Raises std::runtime_error when no pseudo-terminal can be had.
    explicit TPtyDevice(unsigned ComNumber);
    // Removes the mapping and closes both sides.
    ~TPtyDevice();
    TPtyDevice(const TPtyDevice&) = delete;
    TPtyDevice& operator=(const TPtyDevice&) = delete;

    unsigned ComNumber() const { return FComNumber; }
    const std::string& SlavePath() const { return FSlavePath; }

    // Sends bytes to the port; blocks until the pseudo-terminal took them all.
    void Write(std::string_view Bytes);

    // What the port has sent so far, whole and as it arrived.
    std::string Received() const;
    std::vector<TChunk> Chunks() const;
    void ClearReceived();
    // Waits until at least Count bytes have arrived; false after TimeoutMs.
    bool WaitReceived(std::size_t Count, unsigned TimeoutMs) const;

    TPtyLine Line() const;

    // Bytes written to the port that it has not read from the tty yet.
    std::size_t PendingToPort() const;

    // Stops taking what the port sends, so that its writes fill the
    // pseudo-terminal and stall (a device holding the line); Resume takes
    // again.
    void PauseReading();
    void ResumeReading();

    // Closes the device side: the port sees a hang-up, as when a USB adapter
    // is pulled out.
    void HangUp();

private:
    void ReadLoop();
    void StopReader();
    void WakeReader();

    unsigned FComNumber;
    int FMaster = -1;
    int FSlave = -1;
    int FWake = -1;
    std::string FSlavePath;
    std::thread FReader;

    mutable std::mutex FLock;
    mutable std::condition_variable FArrived;
    std::vector<TChunk> FChunks;
    std::size_t FReceivedCount = 0;
    bool FPaused = false;
    bool FStopping = false;
};

// Reads the line settings of a tty (PtyLine.cpp, which needs the kernel's
// termios header).
TPtyLine ReadTtyLine(int Fd);

} // namespace simdevice
