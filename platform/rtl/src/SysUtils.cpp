#include "rtl/SysUtils.h"

#include <cstdio>

AnsiString FormatV(const char* Fmt, va_list Args)
{
    if (!Fmt)
        return AnsiString();
    va_list Measure;
    va_copy(Measure, Args);
    int Length = std::vsnprintf(nullptr, 0, Fmt, Measure);
    va_end(Measure);
    if (Length <= 0)
        return AnsiString();
    AnsiString Text(static_cast<size_t>(Length), '\0');
    std::vsnprintf(Text.data(), Text.size() + 1, Fmt, Args);
    return Text;
}

AnsiString Format(const char* Fmt, ...)
{
    va_list Args;
    va_start(Args, Fmt);
    AnsiString Text = FormatV(Fmt, Args);
    va_end(Args);
    return Text;
}
