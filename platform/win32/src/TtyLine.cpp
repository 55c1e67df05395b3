// Only the kernel's termios header here: glibc's <termios.h> would clash.
#include "TtyLine.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <cerrno>
#include <sys/ioctl.h>

namespace win32_detail {

namespace {

void SetRaw(termios2& T)
{
    T.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF |
                                        IXANY | INPCK | IGNPAR | IUCLC | IMAXBEL);
    T.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    T.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ECHOE | ECHOK | ICANON | ISIG | IEXTEN);
    T.c_cflag &= ~static_cast<tcflag_t>(HUPCL);
    T.c_cflag |= CLOCAL | CREAD;
    // A read returns as soon as one byte is there; with O_NONBLOCK an empty
    // queue gives EAGAIN, so a read of 0 bytes means a hang-up.
    T.c_cc[VMIN] = 1;
    T.c_cc[VTIME] = 0;
}

tcflag_t SizeBits(unsigned DataBits)
{
    switch (DataBits) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
    }
}

} // namespace

int MakeTtyRaw(int Fd, unsigned& Baud)
{
    termios2 T{};
    if (ioctl(Fd, TCGETS2, &T) != 0)
        return errno;
    SetRaw(T);
    if (ioctl(Fd, TCSETS2, &T) != 0)
        return errno;
    Baud = T.c_ospeed;
    return 0;
}

TTtyFlags LineFlags(TTtyFlags Current, const TTtyLineSettings& S)
{
    termios2 T{};
    T.c_iflag = Current.Iflag;
    T.c_oflag = Current.Oflag;
    T.c_cflag = Current.Cflag;
    T.c_lflag = Current.Lflag;
    SetRaw(T);
    T.c_cflag &= ~static_cast<tcflag_t>(CBAUD | CIBAUD | CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    T.c_cflag |= BOTHER | (BOTHER << IBSHIFT) | SizeBits(S.DataBits);
    if (S.Parity != TTtyParity::None)
        T.c_cflag |= PARENB | (S.Parity == TTtyParity::Odd ? PARODD : 0);
    if (S.TwoStopBits)
        T.c_cflag |= CSTOPB;
    if (S.RtsCts)
        T.c_cflag |= CRTSCTS;
    if (S.CheckParity)
        T.c_iflag |= INPCK | PARMRK;
    return TTtyFlags{T.c_iflag, T.c_oflag, T.c_cflag, T.c_lflag};
}

int ApplyTtyLine(int Fd, const TTtyLineSettings& S, unsigned& ActualBaud)
{
    if (S.DataBits < 5 || S.DataBits > 8)
        return EINVAL;
    termios2 T{};
    if (ioctl(Fd, TCGETS2, &T) != 0)
        return errno;
    const TTtyFlags Flags = LineFlags(TTtyFlags{T.c_iflag, T.c_oflag, T.c_cflag, T.c_lflag}, S);
    T.c_iflag = Flags.Iflag;
    T.c_oflag = Flags.Oflag;
    T.c_cflag = Flags.Cflag;
    T.c_lflag = Flags.Lflag;
    T.c_cc[VMIN] = 1;
    T.c_cc[VTIME] = 0;
    T.c_ispeed = S.Baud;
    T.c_ospeed = S.Baud;
    if (ioctl(Fd, TCSETS2, &T) != 0)
        return errno;
    termios2 Back{};
    if (ioctl(Fd, TCGETS2, &Back) != 0)
        return errno;
    ActualBaud = Back.c_ospeed;
    return 0;
}

int FlushTty(int Fd, bool Input, bool Output)
{
    if (!Input && !Output)
        return 0;
    const int Which = Input && Output ? TCIOFLUSH : Input ? TCIFLUSH : TCOFLUSH;
    return ioctl(Fd, TCFLSH, Which) == 0 ? 0 : errno;
}

} // namespace win32_detail
