#pragma once
// Line settings of a tty through termios2 (private to win32).
//
// termios2 takes any rate (BOTHER), which the B... constants cannot express
// (14400 has none). Its kernel header clashes with glibc's <termios.h>, so
// TtyLine.cpp includes only the kernel's and this interface uses plain types.

namespace win32_detail {

enum class TTtyParity { None, Odd, Even };

struct TTtyLineSettings {
    unsigned Baud = 9600;
    unsigned DataBits = 8;        // 5..8
    TTtyParity Parity = TTtyParity::None;
    bool TwoStopBits = false;
    bool RtsCts = false;          // hardware flow control on both directions
    bool CheckParity = false;     // mark bad bytes as 0xFF 0x00 X (and a real 0xFF as 0xFF 0xFF)
};

// The flag words of a termios2, as plain numbers.
struct TTtyFlags {
    unsigned Iflag = 0;
    unsigned Oflag = 0;
    unsigned Cflag = 0;
    unsigned Lflag = 0;
};

// The flags for raw mode with these line settings (the rate as BOTHER),
// made from the tty's current flags.
TTtyFlags LineFlags(TTtyFlags Current, const TTtyLineSettings& Settings);

// Raw mode (no echo, no line editing, no translation, no signals), reads
// that return what has arrived, the receiver on and modem control lines
// ignored; the rate stays as it is. 0 or an errno; Baud gets the rate.
int MakeTtyRaw(int Fd, unsigned& Baud);

// Raw mode with these line settings; the rate is read back into ActualBaud.
// 0 or an errno.
int ApplyTtyLine(int Fd, const TTtyLineSettings& Settings, unsigned& ActualBaud);

// Discards bytes received and not read, or written and not sent.
int FlushTty(int Fd, bool Input, bool Output);

} // namespace win32_detail
