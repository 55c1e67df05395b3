// editorlink-device: plays a VTX-7430 on a pseudo-terminal for someone
// trying the schedule editor without the hardware.
//
//   editorlink-device [--com N] [--lose-ack BLOCK] [--noise BLOCK]
//                     [--nak-run BLOCK:COUNT] [--silent-from BLOCK]
//
// It prints the VTX_COM<N> setting under which the editor finds it, then
// asks for a transfer ('C') each time Enter is pressed, and reports every
// frame the editor sends and how it was answered. "q" and Enter end it.

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <string>

#include "editorlink/Vtx7430Device.h"

namespace {

void Usage()
{
    std::cerr << "usage: editorlink-device [--com N] [--lose-ack BLOCK] [--noise BLOCK]\n"
                 "                         [--nak-run BLOCK:COUNT] [--silent-from BLOCK]\n"
                 "  --com N              the COM number the editor is to use (1 to 10, default 1)\n"
                 "  --lose-ack BLOCK     the ACK of that block is lost once; the device asks again with NAK\n"
                 "  --noise BLOCK        line noise before the answer to that block, once\n"
                 "  --nak-run BLOCK:N    that block is answered NAK N times (10 or more fails the command)\n"
                 "  --silent-from BLOCK  from that block on the device answers nothing\n"
                 "The time frame of the clock command counts as block 1.\n";
}

// A whole number within Low .. High, else the usage and the end.
int NumberArg(const std::string& Text, int Low, int High)
{
    char* End = nullptr;
    const long Value = std::strtol(Text.c_str(), &End, 10);
    if (Text.empty() || *End != '\0' || Value < Low || Value > High) {
        Usage();
        std::exit(2);
    }
    return static_cast<int>(Value);
}

struct TShapes {
    int LoseAck = 0;
    int Noise = 0;
    int NakBlock = 0;
    int NakCount = 0;
    int SilentFrom = 0;
};

} // namespace

int main(int argc, char** argv)
{
    int Com = 1;
    TShapes Shapes;
    for (int I = 1; I < argc; ++I) {
        const std::string Option = argv[I];
        if (Option == "--help" || Option == "-h") {
            Usage();
            return 0;
        }
        if (I + 1 >= argc) {
            Usage();
            return 2;
        }
        const std::string Value = argv[++I];
        if (Option == "--com") {
            Com = NumberArg(Value, 1, 10);
        } else if (Option == "--lose-ack") {
            Shapes.LoseAck = NumberArg(Value, 1, editorlink::BlockCount);
        } else if (Option == "--noise") {
            Shapes.Noise = NumberArg(Value, 1, editorlink::BlockCount);
        } else if (Option == "--silent-from") {
            Shapes.SilentFrom = NumberArg(Value, 1, editorlink::BlockCount);
        } else if (Option == "--nak-run") {
            const std::size_t Colon = Value.find(':');
            if (Colon == std::string::npos) {
                Usage();
                return 2;
            }
            Shapes.NakBlock = NumberArg(Value.substr(0, Colon), 1, editorlink::BlockCount);
            Shapes.NakCount = NumberArg(Value.substr(Colon + 1), 1, 1000);
        } else {
            Usage();
            return 2;
        }
    }

    try {
        editorlink::TVtx7430Device Device(static_cast<unsigned>(Com), [](const std::string& Line) {
            std::printf("device: %s\n", Line.c_str());
            std::fflush(stdout);
        });
        if (Shapes.LoseAck)
            Device.LoseAck(Shapes.LoseAck);
        if (Shapes.Noise)
            Device.NoiseBefore(Shapes.Noise, "\x7F\x01~noise~\xFE");
        if (Shapes.NakBlock)
            Device.NakRun(Shapes.NakBlock, Shapes.NakCount);
        if (Shapes.SilentFrom)
            Device.SilentFrom(Shapes.SilentFrom);

        std::printf("A simulated VTX-7430 is on %s. Start the editor with\n\n"
                    "    cd build/editor && VTX_COM%d=%s ./VTX7430_P8\n\n"
                    "choose \"COM %d\" on its system page and connect. Start a download or the clock\n"
                    "setting there, then press Enter here: the device asks with 'C'.\n"
                    "q and Enter end this program.\n",
                    Device.SlavePath().c_str(), Com, Device.SlavePath().c_str(), Com);
        std::fflush(stdout);

        std::string Line;
        while (std::getline(std::cin, Line) && Line != "q")
            Device.Ask();
    } catch (const std::exception& E) {
        std::fprintf(stderr, "editorlink-device: %s\n", E.what());
        return 1;
    }
    return 0;
}
