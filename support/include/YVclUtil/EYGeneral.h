#pragma once
// The libraries' exception: a printf-style message and an integer code.

#include "rtl/Exceptions.h"

namespace YVclUtil {

class EYGeneral : public Exception {
public:
    // Message = the formatted text; ErrorCode = -1.
    explicit EYGeneral(const char* Fmt, ...) __attribute__((format(printf, 2, 3)));
    // Message = the formatted text; ErrorCode = Code.
    EYGeneral(int Code, const char* Fmt, ...) __attribute__((format(printf, 3, 4)));

    int ErrorCode = -1;
};

} // namespace YVclUtil
