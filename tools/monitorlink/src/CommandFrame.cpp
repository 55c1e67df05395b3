#include "monitorlink/CommandFrame.h"

#include <cctype>
#include <cstdio>

namespace monitorlink {

namespace {

constexpr std::string_view Header = "$PCCTL";

bool IsDigit(char C)
{
    return C >= '0' && C <= '9';
}

// The number of Count digits at Digits[At].
int Number(const std::string& Digits, std::size_t At, std::size_t Count)
{
    int Value = 0;
    for (std::size_t I = At; I < At + Count; ++I)
        Value = Value * 10 + (Digits[I] - '0');
    return Value;
}

std::string Hex(const std::string& Bytes)
{
    std::string Text;
    char Pair[4];
    for (unsigned char C : Bytes) {
        std::snprintf(Pair, sizeof Pair, "%02X ", C);
        Text += Pair;
    }
    if (!Text.empty())
        Text.pop_back();
    return Text;
}

} // namespace

std::vector<TCommandFrame> ReadCommandFrames(std::string_view Bytes)
{
    std::vector<TCommandFrame> Frames;
    std::size_t At = 0;
    for (;;) {
        const std::size_t Start = Bytes.find(Header, At);
        if (Start == std::string_view::npos || Start + Header.size() >= Bytes.size())
            return Frames;
        std::size_t End = Start + Header.size() + 1;
        while (End < Bytes.size() && IsDigit(Bytes[End]))
            ++End;
        if (End >= Bytes.size())
            return Frames;   // the rest of this frame has not come yet
        if (Bytes[End] != '*') {
            At = Start + 1;
            continue;
        }
        TCommandFrame Frame;
        Frame.Letter = Bytes[Start + Header.size()];
        Frame.Digits = std::string(Bytes.substr(Start + Header.size() + 1, End - Start - Header.size() - 1));
        Frame.Bytes = std::string(Bytes.substr(Start, End + 1 - Start));
        Frames.push_back(std::move(Frame));
        At = End + 1;
    }
}

std::string DescribeCommand(const TCommandFrame& Frame)
{
    const std::string& D = Frame.Digits;
    char Text[64];
    if (Frame.Letter == '@' && D.size() == 2) {
        const int Channel = Number(D, 0, 2);
        if (Channel == 0)
            return "channel: all off";
        if (Channel == 8)
            return "channel: all on";
        std::snprintf(Text, sizeof Text, "channel: %d", Channel);
        return Text;
    }
    if (Frame.Letter == 'A' && D.size() == 2) {
        const int Song = Number(D, 0, 2);
        if (Song == 0)
            return "song: none";
        std::snprintf(Text, sizeof Text, "song %d", Song);
        return Text;
    }
    if (Frame.Letter == 'D' && D.size() == 6) {
        std::snprintf(Text, sizeof Text, "time %s:%s:%s", D.substr(0, 2).c_str(), D.substr(2, 2).c_str(),
                      D.substr(4, 2).c_str());
        return Text;
    }
    if (Frame.Letter == 'C' && D.size() == 7) {
        std::snprintf(Text, sizeof Text, "date 20%s-%s-%s, weekday %c", D.substr(0, 2).c_str(), D.substr(2, 2).c_str(),
                      D.substr(4, 2).c_str(), D[6]);
        return Text;
    }
    return "unknown command " + Hex(Frame.Bytes);
}

} // namespace monitorlink
