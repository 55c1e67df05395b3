#pragma once
// The class library's exception types.

#include <exception>

#include "rtl/System.h"

// Base of every exception the class library and the system raise. It carries
// its message; what() gives the same text, so a std::exception handler sees it.
class Exception : public TObject, public std::exception {
public:
    explicit Exception(AnsiString Msg = AnsiString()) : Message(std::move(Msg)) {}
    Exception(const Exception& Other) : TObject(), std::exception(Other), Message(Other.Message) {}
    Exception& operator=(const Exception& Other) { Message = Other.Message; return *this; }
    const char* what() const noexcept override { return Message.c_str(); }

    AnsiString Message;
};

// A text that cannot be converted to the value asked for.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A file or device operation that failed; ErrorCode holds the system's code.
class EInOutError : public Exception {
public:
    explicit EInOutError(AnsiString Msg = AnsiString(), int Code = 0) : Exception(std::move(Msg)), ErrorCode(Code) {}
    int ErrorCode = 0;
};

// A stored property that does not exist or has an unusable value.
class EReadError : public Exception {
public:
    using Exception::Exception;
};

// A thread that could not be created or a thread operation in the wrong state.
class EThread : public Exception {
public:
    using Exception::Exception;
};
