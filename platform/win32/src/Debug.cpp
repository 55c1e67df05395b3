#include "win32/Debug.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

std::mutex DebugLock;
TDebugSink Sink;

} // namespace

void OutputDebugString(LPCSTR Text)
{
    if (!Text)
        Text = "";
    std::lock_guard<std::mutex> Guard(DebugLock);
    if (Sink) {
        Sink(Text);
        return;
    }
    const char* Channel = std::getenv("VTX_DEBUG");
    if (!Channel || !*Channel || std::strcmp(Channel, "0") == 0)
        return;
    if (std::strcmp(Channel, "1") == 0 || std::strcmp(Channel, "stderr") == 0) {
        std::fputs(Text, stderr);
        std::fflush(stderr);
        return;
    }
    if (std::FILE* File = std::fopen(Channel, "ab")) {
        std::fputs(Text, File);
        std::fclose(File);
    }
}

TDebugSink SetDebugSink(TDebugSink NewSink)
{
    std::lock_guard<std::mutex> Guard(DebugLock);
    TDebugSink Previous = std::move(Sink);
    Sink = std::move(NewSink);
    return Previous;
}
