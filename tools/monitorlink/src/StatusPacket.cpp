#include "monitorlink/StatusPacket.h"

namespace monitorlink {

std::string StatusBody(const TDeviceReport& R, TBodyLayout Layout)
{
    std::string Body = {static_cast<char>(R.Year), static_cast<char>(R.Month), static_cast<char>(R.Day),
                        static_cast<char>(R.WeekDay), static_cast<char>(R.Hour), static_cast<char>(R.Minute),
                        static_cast<char>(R.Second), static_cast<char>(R.ChannelState)};
    if (Layout == bl_Long) {
        Body += static_cast<char>(R.Extra1);
        Body += static_cast<char>(R.SongNo);
        Body += static_cast<char>(R.Extra2);
    } else {
        Body += static_cast<char>(R.SongNo);
    }
    Body += static_cast<char>(R.ScheduleState);
    Body += static_cast<char>(R.FinishHour);
    Body += static_cast<char>(R.FinishMinute);
    return Body;
}

std::string StatusPacket(const TDeviceReport& Report, TBodyLayout Layout)
{
    return PacketStart + StatusBody(Report, Layout) + PacketEnd;
}

std::uint8_t ToBcd(int Value)
{
    return static_cast<std::uint8_t>((Value / 10) << 4 | (Value % 10));
}

int FromBcd(std::uint8_t Value)
{
    return (Value >> 4) * 10 + (Value & 0x0F);
}

} // namespace monitorlink
