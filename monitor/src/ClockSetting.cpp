// The automatic clock setting: the PC's local time, then its date, as two
// command frames. Both frames come from one reading of the PC's clock, so
// that a midnight between them cannot put the device a day ahead.

#include "V7430mon_en_src.h"

bool TForm1::SendClockFrames(TDateTime PcClock)
{
    unsigned short Year, Month, Day, Hour, Minute, Second, MSec;
    DecodeDate(PcClock, Year, Month, Day);
    DecodeTime(PcClock, Hour, Minute, Second, MSec);

    PutDecimalPair(7, Hour);
    PutDecimalPair(9, Minute);
    PutDecimalPair(11, Second);
    PcCtlTxdBuff[13] = '*';
    const int TimeResult = SendPcCtl('D', 14);

    // The one buffer serves the date frame once the time frame has gone.
    PutDecimalPair(7, Year % 100);
    PutDecimalPair(9, Month);
    PutDecimalPair(11, Day);
    PcCtlTxdBuff[13] = static_cast<std::uint8_t>('0' + DayOfWeek(PcClock) - 1);   // 0 Sunday .. 6 Saturday
    PcCtlTxdBuff[14] = '*';
    const int DateResult = SendPcCtl('C', 15);

    return TimeResult == 0 && DateResult == 0;
}
