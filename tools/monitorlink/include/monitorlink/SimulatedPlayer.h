#pragma once
// The player that monitorlink-device plays for someone trying the monitor:
// a clock of its own that runs from the moment it is set, the channel and
// song the monitor last chose, and a day's schedule that runs (state 3, with
// its finish time) until the finish time and has then finished (state 5).

#include <chrono>
#include <cstdint>

#include "monitorlink/CommandFrame.h"
#include "monitorlink/StatusPacket.h"

namespace monitorlink {

struct TCalendarTime {
    int Year = 2012;   // full year, 2000 to 2099
    int Month = 1;
    int Day = 1;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
};

class TSimulatedPlayer {
public:
    using TClock = std::chrono::steady_clock;

    // The player's clock shows Start at the instant At.
    TSimulatedPlayer(const TCalendarTime& Start, TClock::time_point At);

    void SetFinishTime(int Hour, int Minute);

    // Carries out one frame of the monitor at the instant At. False (and
    // nothing changes) for an unknown letter, a wrong number of digits or a
    // value out of range.
    bool Apply(const TCommandFrame& Frame, TClock::time_point At);

    TCalendarTime Clock(TClock::time_point At) const;
    TDeviceReport Report(TClock::time_point At) const;

private:
    void SetClock(long long Seconds, TClock::time_point At);

    // The clock, in seconds from 2000-01-01 00:00:00, at the instant FSetAt.
    long long FSeconds = 0;
    TClock::time_point FSetAt;
    std::uint8_t FChannel = 0;
    int FSong = 0;
    int FFinishHour = 23;
    int FFinishMinute = 59;
};

} // namespace monitorlink
