#pragma once
// The VTX-7430's status packet as it goes to the PC monitor: the start byte
// 0xFA, a body of 12 bytes (short layout) or 14 bytes (long layout), the end
// byte 0xFB. No length byte, no checksum.

#include <cstdint>
#include <string>

namespace monitorlink {

constexpr char PacketStart = '\xFA';
constexpr char PacketEnd = '\xFB';

// One report of the device, each field the byte it puts on the line:
// packed BCD for the date, the time, the song and the finish time; plain
// numbers for the weekday (0 Sunday to 6 Saturday), the channel state (0 all
// off, 1 to 7 that channel, 8 all on) and the schedule state. Extra1 and
// Extra2 go only into the long layout, after the channel state and after the
// song.
struct TDeviceReport {
    std::uint8_t Year = 0x12;
    std::uint8_t Month = 0x08;
    std::uint8_t Day = 0x21;
    std::uint8_t WeekDay = 2;
    std::uint8_t Hour = 0x23;
    std::uint8_t Minute = 0x59;
    std::uint8_t Second = 0x58;
    std::uint8_t ChannelState = 8;
    std::uint8_t SongNo = 0x42;
    std::uint8_t ScheduleState = 5;
    std::uint8_t FinishHour = 0x21;
    std::uint8_t FinishMinute = 0x45;
    std::uint8_t Extra1 = 0;
    std::uint8_t Extra2 = 0;
};

enum TBodyLayout { bl_Short, bl_Long };

// The body alone, 12 or 14 bytes.
std::string StatusBody(const TDeviceReport& Report, TBodyLayout Layout);
// Start byte, body, end byte.
std::string StatusPacket(const TDeviceReport& Report, TBodyLayout Layout = bl_Short);

// Packed BCD of 0 to 99 (tens in the high nibble), and back.
std::uint8_t ToBcd(int Value);
int FromBcd(std::uint8_t Value);

} // namespace monitorlink
