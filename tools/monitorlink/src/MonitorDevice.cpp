#include "monitorlink/MonitorDevice.h"

#include <chrono>

namespace monitorlink {

void TMonitorDevice::SendStatus(const TDeviceReport& Report, TBodyLayout Layout)
{
    FLine.Write(StatusPacket(Report, Layout));
}

std::vector<TCommandFrame> TMonitorDevice::Frames() const
{
    return ReadCommandFrames(FLine.Received());
}

bool TMonitorDevice::WaitFrames(std::size_t Count, unsigned TimeoutMs) const
{
    using namespace std::chrono;
    const auto Deadline = steady_clock::now() + milliseconds(TimeoutMs);
    for (;;) {
        const std::size_t Have = FLine.Received().size();
        if (Frames().size() >= Count)
            return true;
        const auto Left = duration_cast<milliseconds>(Deadline - steady_clock::now()).count();
        if (Left <= 0)
            return false;
        // Wakes at the next byte, or at the deadline.
        FLine.WaitReceived(Have + 1, static_cast<unsigned>(Left));
    }
}

} // namespace monitorlink
