// The 68-byte frames the editor sends to the VTX-7430: the time frame that
// sets the device clock and the data frames that carry the device image,
// 64 bytes each, every frame closed by a CRC-8 over its first 67 bytes.

#include <cstring>

#include "V7430_p8_src.h"

#include "YVclCtrl/PcUart.h"

namespace {

enum : std::uint8_t { bt_TimeBlock = 1, bt_DataBlock = 2 };

constexpr int BlockTypeOffset = 0;
constexpr int BlockBankOffset = 1;
constexpr int BlockNoOffset = 2;
constexpr int BlockPayloadOffset = 3;
constexpr int BlockPayloadSize = 64;
constexpr int BlockCrcOffset = 67;

void CloseFrame()
{
    std::uint8_t Crc = 0;
    for (int I = 0; I < BlockCrcOffset; ++I)
        Crc = Crc8Step(BlockFrame[I], Crc);
    BlockFrame[BlockCrcOffset] = Crc;
}

int DatePart(const char* Format, TDateTime Moment)
{
    return StrToInt(FormatDateTime(Format, Moment));
}

// Sends the frame as it stands and logs it under the given heading. The
// send line says what was sent; when the port could not write the frame,
// the port's own reason follows it in the log.
void PutFrame(const char* Heading)
{
    const int Result = Form1->PcUart1->SendData(BlockFrameSize, BlockFrame);
    Form1->AddLogLine(AnsiString(Heading) + IntToStr(LastBlockNumber) + ",CRC = " +
                      Format("%02X", BlockFrame[BlockCrcOffset]) + " <===");
    if (Result != 0 && !Form1->PcUart1->LastErrMsg().empty())
        Form1->AddLogLine(Form1->PcUart1->LastErrMsg());
}

} // namespace

void BuildTimeBlock()
{
    BuildTimeBlockAt(Now());
}

void BuildTimeBlockAt(TDateTime Moment)
{
    BlockFrame[BlockTypeOffset] = bt_TimeBlock;
    BlockFrame[BlockBankOffset] = 0;
    BlockFrame[BlockNoOffset] = 1;
    BlockFrame[3] = Bcd(DatePart("yy", Moment));
    BlockFrame[4] = Bcd(DatePart("m", Moment));
    BlockFrame[5] = Bcd(DatePart("d", Moment));
    BlockFrame[6] = static_cast<std::uint8_t>(DayOfWeek(Moment) - 1);
    BlockFrame[7] = Bcd(DatePart("h", Moment));
    BlockFrame[8] = Bcd(DatePart("n", Moment));
    BlockFrame[9] = Bcd(DatePart("s", Moment));
    std::memset(BlockFrame + 10, 0, BlockCrcOffset - 10);
    CloseFrame();
    LastBlockNumber = 1;
}

// BlockNumber is 1 .. BlockTotal here: the link sets it, and never lets a
// byte from the device move it outside.
void BuildDataBlock()
{
    BlockFrame[BlockTypeOffset] = bt_DataBlock;
    BlockFrame[BlockBankOffset] = static_cast<std::uint8_t>(ScheduleBank & 0xFF);
    BlockFrame[BlockNoOffset] = static_cast<std::uint8_t>(BlockNumber & 0xFF);
    std::memcpy(BlockFrame + BlockPayloadOffset, RomImage + BlockPayloadSize * (BlockNumber - 1), BlockPayloadSize);
    CloseFrame();
    LastBlockNumber = BlockNumber;
}

void SendBlock()
{
    PutFrame("===> Send data block: ");
}

void ResendBlock()
{
    PutFrame("===> Resend data block: ");
}
