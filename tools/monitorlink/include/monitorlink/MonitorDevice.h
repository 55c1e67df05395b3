#pragma once
// The device side of the monitor's line, for tests: a pseudo-terminal mapped
// as COM<n> of this process, on which status packets are written and the
// monitor's command frames are read back.

#include <cstddef>
#include <string_view>
#include <vector>

#include "monitorlink/CommandFrame.h"
#include "monitorlink/StatusPacket.h"
#include "simdevice/PtyDevice.h"

namespace monitorlink {

class TMonitorDevice {
public:
    // Raises std::runtime_error when no pseudo-terminal can be had.
    explicit TMonitorDevice(unsigned ComNumber) : FLine(ComNumber) {}

    simdevice::TPtyDevice& Line() { return FLine; }
    const simdevice::TPtyDevice& Line() const { return FLine; }

    void SendStatus(const TDeviceReport& Report, TBodyLayout Layout = bl_Short);
    void Send(std::string_view Bytes) { FLine.Write(Bytes); }

    // Every complete frame the monitor has sent so far.
    std::vector<TCommandFrame> Frames() const;
    // Waits until at least Count frames have come; false after TimeoutMs.
    bool WaitFrames(std::size_t Count, unsigned TimeoutMs) const;

private:
    simdevice::TPtyDevice FLine;
};

} // namespace monitorlink
