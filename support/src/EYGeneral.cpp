#include "YVclUtil/EYGeneral.h"

#include <cstdarg>

#include "rtl/SysUtils.h"

namespace YVclUtil {

EYGeneral::EYGeneral(const char* Fmt, ...) : Exception(AnsiString())
{
    va_list Args;
    va_start(Args, Fmt);
    Message = FormatV(Fmt, Args);
    va_end(Args);
    ErrorCode = -1;
}

EYGeneral::EYGeneral(int Code, const char* Fmt, ...) : Exception(AnsiString())
{
    va_list Args;
    va_start(Args, Fmt);
    Message = FormatV(Fmt, Args);
    va_end(Args);
    ErrorCode = Code;
}

} // namespace YVclUtil
