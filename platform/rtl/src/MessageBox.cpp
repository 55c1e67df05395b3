#include "rtl/MessageBox.h"

#include <cstdio>
#include <mutex>

namespace {

std::mutex HookLock;
TMessageBoxHook CurrentHook;

int DefaultHook(const TMessageBoxRequest& Request)
{
    std::fprintf(stderr, "[%s] %s\n", Request.Caption.c_str(), Request.Text.c_str());
    return DefaultMessageBoxAnswer(Request.Flags);
}

} // namespace

int DefaultMessageBoxAnswer(unsigned Flags)
{
    unsigned Type = Flags & MB_TYPEMASK;
    return (Type == MB_YESNO || Type == MB_YESNOCANCEL) ? IDYES : IDOK;
}

int ShowMessageBox(const AnsiString& Text, const AnsiString& Caption, unsigned Flags)
{
    TMessageBoxHook Hook;
    {
        std::lock_guard<std::mutex> Guard(HookLock);
        Hook = CurrentHook;
    }
    TMessageBoxRequest Request{Text, Caption, Flags};
    return Hook ? Hook(Request) : DefaultHook(Request);
}

TMessageBoxHook SetMessageBoxHook(TMessageBoxHook Hook)
{
    std::lock_guard<std::mutex> Guard(HookLock);
    TMessageBoxHook Previous = std::move(CurrentHook);
    CurrentHook = std::move(Hook);
    return Previous;
}
