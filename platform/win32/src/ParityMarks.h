#pragma once
// Undoes the tty's parity marking (private to win32).
//
// With parity checking on, the line discipline passes a byte received with
// a parity or framing error as 0xFF 0x00 X, and a real 0xFF as 0xFF 0xFF. The
// reader turns that back into one byte each: X, or the error character when
// one is set. A mark may be split across reads; the reader keeps its place.

#include <cstddef>

namespace win32_detail {

class TParityMarkReader {
public:
    // Replace: bad bytes become Char; otherwise they are passed as received.
    void SetErrorChar(bool Replace, char Char)
    {
        FReplace = Replace;
        FErrorChar = static_cast<unsigned char>(Char);
    }
    void Reset() { FState = TState::Data; }

    // Reads Count marked bytes from In and writes the data to Out, which has
    // room for Count + 1 bytes (a 0xFF held back from the last call may come
    // out with the next byte); returns how many were written.
    std::size_t Unmark(const unsigned char* In, std::size_t Count, unsigned char* Out);

private:
    enum class TState { Data, AfterFF, AfterFF00 };
    TState FState = TState::Data;
    bool FReplace = false;
    unsigned char FErrorChar = 0;
};

} // namespace win32_detail
