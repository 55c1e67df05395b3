#include "editorlink/BlockFrame.h"

#include <algorithm>
#include <cstring>

namespace editorlink {

namespace {

// A packed BCD byte to its number; -1 when a nibble is not a digit.
int FromBcd(std::uint8_t Byte)
{
    const int Tens = Byte >> 4;
    const int Units = Byte & 0x0F;
    return Tens > 9 || Units > 9 ? -1 : Tens * 10 + Units;
}

bool InRange(int Value, int Low, int High)
{
    return Value >= Low && Value <= High;
}

} // namespace

std::uint8_t Crc8(const std::uint8_t* Bytes, std::size_t Count)
{
    std::uint8_t Crc = 0;
    for (std::size_t I = 0; I < Count; ++I) {
        Crc ^= Bytes[I];
        for (int Bit = 0; Bit < 8; ++Bit)
            Crc = (Crc & 1) ? static_cast<std::uint8_t>((Crc >> 1) ^ 0x8C) : static_cast<std::uint8_t>(Crc >> 1);
    }
    return Crc;
}

TFrame FrameOf(std::string_view Bytes)
{
    TFrame Frame;
    std::memcpy(Frame.Bytes.data(), Bytes.data(), std::min(Bytes.size(), FrameSize));
    return Frame;
}

std::optional<TDeviceClock> ClockOf(const TFrame& Frame)
{
    if (Frame.Type() != ft_Time || Frame.Bank() != 0 || Frame.Number() != 1 || !Frame.CrcGood())
        return std::nullopt;
    const std::uint8_t* P = Frame.Payload();
    TDeviceClock Clock;
    Clock.Year = FromBcd(P[0]);
    Clock.Month = FromBcd(P[1]);
    Clock.Day = FromBcd(P[2]);
    Clock.WeekDay = P[3];
    Clock.Hour = FromBcd(P[4]);
    Clock.Minute = FromBcd(P[5]);
    Clock.Second = FromBcd(P[6]);
    const bool Good = InRange(Clock.Year, 0, 99) && InRange(Clock.Month, 1, 12) && InRange(Clock.Day, 1, 31) &&
                      InRange(Clock.WeekDay, 0, 6) && InRange(Clock.Hour, 0, 23) && InRange(Clock.Minute, 0, 59) &&
                      InRange(Clock.Second, 0, 59) &&
                      std::all_of(P + 7, P + PayloadSize, [](std::uint8_t B) { return B == 0; });
    if (!Good)
        return std::nullopt;
    return Clock;
}

bool ImageCrcGood(const std::uint8_t* Image)
{
    return Crc8(Image, ImageSize - 1) == Image[ImageSize - 1];
}

} // namespace editorlink
