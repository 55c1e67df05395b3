#include "simdevice/PtyDevice.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace simdevice {

namespace {

std::string VariableOf(unsigned ComNumber)
{
    return "VTX_COM" + std::to_string(ComNumber);
}

} // namespace

TPtyDevice::TPtyDevice(unsigned ComNumber) : FComNumber(ComNumber)
{
    char Name[128] = {};
    if (openpty(&FMaster, &FSlave, Name, nullptr, nullptr) != 0)
        throw std::runtime_error("openpty failed");
    FSlavePath = Name;
    // Raw until the port sets its own line: no echo of what the device sends.
    termios Raw{};
    tcgetattr(FSlave, &Raw);
    cfmakeraw(&Raw);
    tcsetattr(FSlave, TCSANOW, &Raw);
    FWake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    setenv(VariableOf(ComNumber).c_str(), FSlavePath.c_str(), 1);
    FReader = std::thread([this] { ReadLoop(); });
}

TPtyDevice::~TPtyDevice()
{
    StopReader();
    unsetenv(VariableOf(FComNumber).c_str());
    if (FMaster >= 0)
        close(FMaster);
    close(FSlave);
    close(FWake);
}

void TPtyDevice::StopReader()
{
    if (!FReader.joinable())
        return;
    {
        std::lock_guard<std::mutex> Guard(FLock);
        FStopping = true;
    }
    WakeReader();
    FReader.join();
}

void TPtyDevice::WakeReader()
{
    const std::uint64_t One = 1;
    (void)!write(FWake, &One, sizeof One);
}

void TPtyDevice::PauseReading()
{
    {
        std::lock_guard<std::mutex> Guard(FLock);
        FPaused = true;
    }
    WakeReader();
}

void TPtyDevice::ResumeReading()
{
    {
        std::lock_guard<std::mutex> Guard(FLock);
        FPaused = false;
    }
    WakeReader();
}

void TPtyDevice::ReadLoop()
{
    char Buffer[4096];
    for (;;) {
        bool Paused;
        {
            std::lock_guard<std::mutex> Guard(FLock);
            Paused = FPaused;
        }
        pollfd Fds[2] = {{FWake, POLLIN, 0}, {Paused ? -1 : FMaster, POLLIN, 0}};
        if (poll(Fds, 2, -1) < 0 && errno != EINTR)
            return;
        if (Fds[0].revents) {
            std::uint64_t Count;
            (void)!read(FWake, &Count, sizeof Count);
            std::lock_guard<std::mutex> Guard(FLock);
            if (FStopping)
                return;
            continue;
        }
        if (!(Fds[1].revents & POLLIN))
            continue;
        const ssize_t Got = read(FMaster, Buffer, sizeof Buffer);
        if (Got <= 0)
            continue;
        {
            std::lock_guard<std::mutex> Guard(FLock);
            FChunks.push_back(TChunk{TClock::now(), std::string(Buffer, static_cast<std::size_t>(Got))});
            FReceivedCount += static_cast<std::size_t>(Got);
        }
        FArrived.notify_all();
    }
}

void TPtyDevice::Write(std::string_view Bytes)
{
    while (!Bytes.empty()) {
        const ssize_t Put = write(FMaster, Bytes.data(), Bytes.size());
        if (Put < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            throw std::runtime_error("write to the pseudo-terminal failed");
        }
        Bytes.remove_prefix(static_cast<std::size_t>(Put));
    }
}

std::string TPtyDevice::Received() const
{
    std::lock_guard<std::mutex> Guard(FLock);
    std::string All;
    All.reserve(FReceivedCount);
    for (const TChunk& Chunk : FChunks)
        All += Chunk.Bytes;
    return All;
}

std::vector<TPtyDevice::TChunk> TPtyDevice::Chunks() const
{
    std::lock_guard<std::mutex> Guard(FLock);
    return FChunks;
}

void TPtyDevice::ClearReceived()
{
    std::lock_guard<std::mutex> Guard(FLock);
    FChunks.clear();
    FReceivedCount = 0;
}

bool TPtyDevice::WaitReceived(std::size_t Count, unsigned TimeoutMs) const
{
    std::unique_lock<std::mutex> Guard(FLock);
    return FArrived.wait_for(Guard, std::chrono::milliseconds(TimeoutMs), [&] { return FReceivedCount >= Count; });
}

std::size_t TPtyDevice::PendingToPort() const
{
    int Count = 0;
    if (ioctl(FSlave, FIONREAD, &Count) != 0 || Count < 0)
        return 0;
    return static_cast<std::size_t>(Count);
}

TPtyLine TPtyDevice::Line() const
{
    return ReadTtyLine(FSlave);
}

void TPtyDevice::HangUp()
{
    StopReader();
    if (FMaster >= 0) {
        close(FMaster);
        FMaster = -1;
    }
}

} // namespace simdevice
