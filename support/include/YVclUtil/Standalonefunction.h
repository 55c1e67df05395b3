#pragma once
// Free routines of the support library: an error box and a debug line with
// printf-style text, byte-to-hex, and page-aligned memory blocks. They keep
// no state and may run on any thread.

#include "rtl/Classes.h"

namespace YVclUtil {

// A task-modal error box (one OK button, the error icon) with the formatted
// text, captioned Caption or the component's Name. Blocks until it is closed;
// returns the length of the text.
int ShowErrMsgBox_Printf(const char* Caption, const char* Fmt, ...) __attribute__((format(printf, 2, 3)));
int ShowErrMsgBox_Printf(TComponent* Component, const char* Fmt, ...) __attribute__((format(printf, 2, 3)));

// Passes the formatted text, as it is, to the debug channel; returns its length.
int SendDbgString_Printf(const char* Fmt, ...) __attribute__((format(printf, 1, 2)));

// Writes the two upper-case hexadecimal digits of Byte to Out[0] and Out[1];
// no terminator.
void BinToHexAscii(unsigned char Byte, char* Out);

// Committed, zero-filled memory aligned on at least 64 KB, or null.
void* YAllocVirtualMem(unsigned int Size);
// True when Block was one of ours and is released; false for anything else.
bool YFreeVirtualMem(void* Block);

} // namespace YVclUtil
