// The command frames to the device: "$PCCTL", a command letter, ASCII
// decimal digits and "*", built in place in PcCtlTxdBuff and sent from it.
// Picking a channel or a song sends its frame at once; nothing comes back
// but the next status packets.

#include "V7430mon_en_src.h"

#include <cstring>

#include "YVclCtrl/PcUart.h"

namespace {

constexpr std::array<std::uint8_t, 100> MakeBcdTable()
{
    std::array<std::uint8_t, 100> Table{};
    for (int N = 0; N < 100; ++N)
        Table[N] = static_cast<std::uint8_t>((N / 10) << 4 | (N % 10));
    return Table;
}

constexpr char PcCtlHeader[6] = {'$', 'P', 'C', 'C', 'T', 'L'};

} // namespace

// Packed BCD of 0 to 99: tens in the high nibble, units in the low one.
const std::array<std::uint8_t, 100> BcdTable = MakeBcdTable();

void PutDecimalPair(int At, int Number)
{
    // Every caller passes 0 to 99; at() stops anything else at the table's end.
    const std::uint8_t Bcd = BcdTable.at(static_cast<std::size_t>(Number));
    PcCtlTxdBuff[At] = static_cast<std::uint8_t>('0' + (Bcd >> 4));
    PcCtlTxdBuff[At + 1] = static_cast<std::uint8_t>('0' + (Bcd & 0x0F));
}

int TForm1::SendPcCtl(char Letter, unsigned Length)
{
    std::memcpy(PcCtlTxdBuff, PcCtlHeader, sizeof PcCtlHeader);
    PcCtlTxdBuff[6] = static_cast<std::uint8_t>(Letter);
    return PcUart1->SendData(Length, PcCtlTxdBuff);
}

// The item's index is the number sent ("All off" and "None" are 0).
void TForm1::SendChoice(char Letter, TComboBox* Box)
{
    const int Choice = Box->ItemIndex();
    // A typed text that names no entry has no number: nothing is sent.
    if (Choice < 0 || Choice >= static_cast<int>(BcdTable.size()))
        return;
    PutDecimalPair(7, Choice);
    PcCtlTxdBuff[9] = '*';
    SendPcCtl(Letter, 10);
}

void TForm1::ComboBox3Change(TObject*)
{
    SendChoice('@', ComboBox[3]);
}

void TForm1::ComboBox1Change(TObject*)
{
    SendChoice('A', ComboBox[1]);
}
