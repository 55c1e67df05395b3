// The kernel's termios header, as in TtyLine.cpp.
#include <asm/termbits.h>
#include <gtest/gtest.h>

#include "TtyLine.h"

using namespace win32_detail;

// A pseudo-terminal always keeps 8 data bits and no parity, so the flags
// themselves are checked here.
TEST(TtyLine, FlagsForTheLineSettings)
{
    struct TCase {
        TTtyLineSettings Settings;
        unsigned Size;
        unsigned Parity;   // PARENB and PARODD
        bool TwoStop;
        bool RtsCts;
        bool Marks;
    };
    const TCase Cases[] = {
        {{14400, 8, TTtyParity::None, false, false, false}, CS8, 0, false, false, false},
        {{300, 7, TTtyParity::Even, true, false, false}, CS7, PARENB, true, false, false},
        {{4800, 8, TTtyParity::Odd, true, false, true}, CS8, PARENB | PARODD, true, false, true},
        {{38400, 5, TTtyParity::None, false, true, false}, CS5, 0, false, true, false},
        {{9600, 6, TTtyParity::Even, false, false, true}, CS6, PARENB, false, false, true},
    };
    // Start from flags a tty may have had: cooked, echoing, 7E2 with RTS/CTS.
    const TTtyFlags Cooked{ICRNL | IXON | PARMRK | INPCK, OPOST | ONLCR, B9600 | CS7 | PARENB | PARODD | CSTOPB | CRTSCTS | HUPCL,
                           ICANON | ECHO | ISIG | IEXTEN};
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Settings.Baud);
        const TTtyFlags F = LineFlags(Cooked, Case.Settings);
        EXPECT_EQ(F.Cflag & CSIZE, Case.Size);
        EXPECT_EQ(F.Cflag & (PARENB | PARODD), Case.Parity);
        EXPECT_EQ((F.Cflag & CSTOPB) != 0, Case.TwoStop);
        EXPECT_EQ((F.Cflag & CRTSCTS) != 0, Case.RtsCts);
        EXPECT_EQ(F.Cflag & CBAUD, static_cast<unsigned>(BOTHER));
        EXPECT_EQ(F.Cflag & (CLOCAL | CREAD | HUPCL), static_cast<unsigned>(CLOCAL | CREAD));
        EXPECT_EQ((F.Iflag & (INPCK | PARMRK)) == (INPCK | PARMRK), Case.Marks);
        EXPECT_EQ(F.Iflag & (ICRNL | IXON), 0u);
        EXPECT_EQ(F.Oflag & OPOST, 0u);
        EXPECT_EQ(F.Lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    }
}
