#include "rtl/MainLoop.h"

#include <atomic>

#include "rtl/Application.h"

namespace {

std::atomic<TMainLoop*> InstalledLoop{nullptr};
// Captured during static initialisation, which runs on the program's first thread.
const std::thread::id ProgramThreadId = std::this_thread::get_id();

} // namespace

TMainLoop::TMainLoop() : FMainThreadId(std::this_thread::get_id()) {}

TMainLoop::~TMainLoop()
{
    TMainLoop* Self = this;
    InstalledLoop.compare_exchange_strong(Self, nullptr);
}

TMainLoop* MainLoop()
{
    return InstalledLoop.load();
}

TMainLoop* SetMainLoop(TMainLoop* Loop)
{
    return InstalledLoop.exchange(Loop);
}

std::thread::id MainThreadID()
{
    TMainLoop* Loop = InstalledLoop.load();
    return Loop ? Loop->MainThreadId() : ProgramThreadId;
}

void RunLoopCall(const TMainLoop::TCall& Call)
{
    try {
        Call();
    } catch (...) {
        HandleException(nullptr);
    }
}
