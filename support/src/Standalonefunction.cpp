#include "YVclUtil/Standalonefunction.h"

#include <cstdarg>

#include "rtl/SysUtils.h"
#include "win32/Debug.h"
#include "win32/Memory.h"
#include "win32/MessageBox.h"

namespace YVclUtil {

namespace {

int ShowErrorBox(const AnsiString& Caption, const AnsiString& Text)
{
    MessageBox(nullptr, Text.c_str(), Caption.c_str(), MB_TASKMODAL | MB_ICONERROR);
    return static_cast<int>(Text.size());
}

} // namespace

int ShowErrMsgBox_Printf(const char* Caption, const char* Fmt, ...)
{
    va_list Args;
    va_start(Args, Fmt);
    AnsiString Text = FormatV(Fmt, Args);
    va_end(Args);
    return ShowErrorBox(Caption ? Caption : "", Text);
}

int ShowErrMsgBox_Printf(TComponent* Component, const char* Fmt, ...)
{
    va_list Args;
    va_start(Args, Fmt);
    AnsiString Text = FormatV(Fmt, Args);
    va_end(Args);
    return ShowErrorBox(Component ? Component->Name() : AnsiString(), Text);
}

int SendDbgString_Printf(const char* Fmt, ...)
{
    va_list Args;
    va_start(Args, Fmt);
    AnsiString Text = FormatV(Fmt, Args);
    va_end(Args);
    OutputDebugString(Text.c_str());
    return static_cast<int>(Text.size());
}

void BinToHexAscii(unsigned char Byte, char* Out)
{
    auto Digit = [](unsigned Value) { return static_cast<char>(Value < 10 ? Value + 0x30 : Value + 0x37); };
    Out[0] = Digit(Byte >> 4);
    Out[1] = Digit(Byte & 0x0F);
}

void* YAllocVirtualMem(unsigned int Size)
{
    return VirtualAlloc(nullptr, Size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

bool YFreeVirtualMem(void* Block)
{
    return VirtualFree(Block, 0, MEM_RELEASE) != FALSE;
}

} // namespace YVclUtil
