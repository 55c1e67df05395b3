// The day's schedule as the device reports it, in the log: its finish time
// while it runs (state 3), its end (state 5), and then the automatic clock
// setting while "Auto time sync." is ticked. Each comes once a schedule
// cycle; states 1 and 2 begin a new one.

#include "V7430mon_en_src.h"

#include "YVclCtrl/PcUart.h"

void TForm1::HandleScheduleState()
{
    switch (DeviceStatus.ScheduleState) {
    case 1:
    case 2:
        FinishTimeLogged = 0;
        TimeSyncDone = 0;
        break;
    case 3:
        AllFinishLogged = 0;
        TimeSyncDone = 0;
        if (FinishTimeLogged == 0) {
            FinishTimeLogged = 1;
            LogEvent(">> Schedule finish time: " + HexPair(DeviceStatus.FinishHour) + " : " +
                     HexPair(DeviceStatus.FinishMinute));
        }
        break;
    case 5:
        if (AllFinishLogged == 0) {
            LogEvent(">> All schedule finish.");
            AllFinishLogged = 1;
        }
        // Nothing can be sent while no port is open: the setting waits for
        // one, and the log tells only of frames that went out.
        if (CheckBox[9]->Checked() && TimeSyncDone == 0 && PcUart1->Opened()) {
            TimeSyncDone = 1;
            if (SendClockFrames(Now()))
                LogEvent("<< Automatic time sync.");
        }
        break;
    default:
        break;
    }
}
