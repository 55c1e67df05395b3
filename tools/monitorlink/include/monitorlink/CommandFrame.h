#pragma once
// The command frames the PC monitor sends the VTX-7430: "$PCCTL", a command
// letter, ASCII decimal digits and "*", with no length, checksum or line end.
//   '@' nn       channel choice 00 (all off) to 08 (all on)
//   'A' nn       song 00 (none) to 99
//   'D' hhnnss   time of day
//   'C' yymmddw  date and weekday (0 Sunday to 6 Saturday)

#include <string>
#include <string_view>
#include <vector>

namespace monitorlink {

struct TCommandFrame {
    char Letter = 0;
    std::string Digits;
    // The whole frame as it came, header and "*" included.
    std::string Bytes;
};

// The complete frames in Bytes, in order. Bytes that do not belong to a
// frame (noise, a header followed by anything but digits and "*") are
// passed over; a frame still missing its "*" at the end is left out.
std::vector<TCommandFrame> ReadCommandFrames(std::string_view Bytes);

// A short text of what the frame asks, for a person watching
// ("channel: all on", "song 7", "time 23:59:58", "date 2012-08-21, weekday 2"),
// or "unknown command" with the frame's bytes.
std::string DescribeCommand(const TCommandFrame& Frame);

} // namespace monitorlink
