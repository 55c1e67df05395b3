#pragma once
// The frames the schedule editor sends to the VTX-7430, read as the device
// reads them. A frame is 68 bytes: type (1 time, 2 data), bank (0 table A,
// 1 table B), block number, 64 payload bytes and a CRC-8/MAXIM over the
// first 67, so that the CRC over all 68 is 0. The device answers with the
// single bytes 'C' (send from the start), ACK and NAK.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace editorlink {

constexpr std::size_t FrameSize = 68;
constexpr std::size_t PayloadSize = 64;
constexpr int BlockCount = 128;
constexpr std::size_t ImageSize = PayloadSize * BlockCount;   // 8192

constexpr char AskByte = 'C';
constexpr char AckByte = 0x06;
constexpr char NakByte = 0x15;

enum TFrameType : std::uint8_t { ft_Time = 1, ft_Data = 2 };

using TFrameBytes = std::array<std::uint8_t, FrameSize>;

// CRC-8/MAXIM (reflected polynomial 0x8C, start 0, no final XOR), worked
// out bit by bit.
std::uint8_t Crc8(const std::uint8_t* Bytes, std::size_t Count);

// The device clock a time frame carries; the year is within the century.
struct TDeviceClock {
    int Year = 0;
    int Month = 0;
    int Day = 0;
    int WeekDay = 0;   // 0 Sunday .. 6 Saturday
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    bool operator==(const TDeviceClock&) const = default;
};

struct TFrame {
    TFrameBytes Bytes{};

    std::uint8_t Type() const { return Bytes[0]; }
    std::uint8_t Bank() const { return Bytes[1]; }
    std::uint8_t Number() const { return Bytes[2]; }
    const std::uint8_t* Payload() const { return Bytes.data() + 3; }
    // The CRC over all 68 bytes is 0.
    bool CrcGood() const { return Crc8(Bytes.data(), FrameSize) == 0; }
};

TFrame FrameOf(std::string_view Bytes);   // the first 68 bytes

// The clock of a good time frame: packed BCD fields all in range, the
// week day 0 .. 6, the rest of the payload zero. Nothing otherwise.
std::optional<TDeviceClock> ClockOf(const TFrame& Frame);

// A whole image is good when its last byte is the CRC-8 of the bytes before.
bool ImageCrcGood(const std::uint8_t* Image);

} // namespace editorlink
