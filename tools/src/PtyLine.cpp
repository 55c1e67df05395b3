// Only the kernel's termios header here: glibc's <termios.h> would clash.
#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <sys/ioctl.h>

#include "simdevice/PtyDevice.h"

namespace simdevice {

TPtyLine ReadTtyLine(int Fd)
{
    termios2 T{};
    TPtyLine Line;
    if (ioctl(Fd, TCGETS2, &T) != 0)
        return Line;
    Line.Baud = T.c_ospeed;
    Line.StopBits = (T.c_cflag & CSTOPB) ? 2 : 1;
    Line.RtsCts = (T.c_cflag & CRTSCTS) != 0;
    Line.Raw = !(T.c_lflag & (ICANON | ECHO | ISIG)) && !(T.c_oflag & OPOST) && !(T.c_iflag & (ICRNL | IXON));
    Line.ParityMarks = (T.c_iflag & (INPCK | PARMRK)) == (INPCK | PARMRK);
    return Line;
}

} // namespace simdevice
