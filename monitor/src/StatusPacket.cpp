// The status packet reader and the offline watchdog.
//
// The device sends 0xFA, a body of 12 bytes (short layout) or 14 bytes
// (long layout), and 0xFB; the port hands the bytes over one at a time, so
// the reader keeps its whole state in the module between calls.

#include "V7430mon_en_src.h"

namespace {

// The body in MonRxdBuff, of the given length (12 or 14), into DeviceStatus.
// The long layout has a byte of its own after the channel state and after
// the song; the monitor does not use them.
void DecodeStatusBody(int Length)
{
    const std::uint8_t* Body = MonRxdBuff;
    DeviceStatus.Year = Body[0];
    DeviceStatus.Month = Body[1];
    DeviceStatus.Day = Body[2];
    DeviceStatus.WeekDay = Body[3];
    DeviceStatus.Hour = Body[4];
    DeviceStatus.Minute = Body[5];
    DeviceStatus.Second = Body[6];
    DeviceStatus.ChannelState = Body[7];
    const bool Long = Length == LongStatusBody;
    DeviceStatus.SongNo = Body[Long ? 9 : 8];
    DeviceStatus.ScheduleState = Body[Long ? 11 : 9];
    // A new finish time may be logged again.
    const std::uint8_t FinishHour = Body[Long ? 12 : 10];
    const std::uint8_t FinishMinute = Body[Long ? 13 : 11];
    if (FinishHour != DeviceStatus.FinishHour || FinishMinute != DeviceStatus.FinishMinute)
        FinishTimeLogged = 0;
    DeviceStatus.FinishHour = FinishHour;
    DeviceStatus.FinishMinute = FinishMinute;
}

} // namespace

void FeedStatusPacketReader(std::uint8_t Byte)
{
    // A start byte always begins a new packet; one in progress is dropped.
    if (Byte == StatusPacketStart) {
        InStatusPacket = 1;
        StatusBodyCount = 0;
        return;
    }
    if (InStatusPacket == 0)
        return;
    if (Byte == StatusPacketEnd) {
        const int Length = StatusBodyCount;
        InStatusPacket = 0;
        StatusBodyCount = 0;
        // Only the two layouts the device sends are decoded. A body of any
        // other length is a damaged packet: the buffer beyond it still holds
        // bytes of earlier packets, which must not be shown as new.
        if (Length != ShortStatusBody && Length != LongStatusBody)
            return;
        DecodeStatusBody(Length);
        DeviceOnline = 1;
        NoResponseTicks = 0;
        return;
    }
    MonRxdBuff[StatusBodyCount] = Byte;
    ++StatusBodyCount;
    // The 64th body byte fills the buffer: no packet is that long.
    if (StatusBodyCount >= MonRxdBuffSize) {
        InStatusPacket = 0;
        StatusBodyCount = 0;
    }
}

void TForm1::PcUart1RxdDatas(TObject*, int Bytes, char* Datas)
{
    // The port delivers one byte a call; should it ever deliver more, each
    // byte still goes through the reader in turn.
    for (int I = 0; Datas && I < Bytes; ++I)
        FeedStatusPacketReader(static_cast<std::uint8_t>(Datas[I]));
}

void TForm1::Timer1Timer(TObject*)
{
    if (NoResponseTicks <= OfflineAfterTicks)
        ++NoResponseTicks;
    if (NoResponseTicks > OfflineAfterTicks)
        DeviceOnline = 0;
}
