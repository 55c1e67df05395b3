#include "ParityMarks.h"

namespace win32_detail {

std::size_t TParityMarkReader::Unmark(const unsigned char* In, std::size_t Count, unsigned char* Out)
{
    std::size_t Written = 0;
    for (std::size_t i = 0; i < Count; ++i) {
        const unsigned char Byte = In[i];
        switch (FState) {
        case TState::Data:
            if (Byte == 0xFF)
                FState = TState::AfterFF;
            else
                Out[Written++] = Byte;
            break;
        case TState::AfterFF:
            if (Byte == 0x00) {
                FState = TState::AfterFF00;
            } else {
                // 0xFF 0xFF is a real 0xFF; anything else cannot follow a
                // mark and is kept as data.
                Out[Written++] = 0xFF;
                if (Byte != 0xFF)
                    Out[Written++] = Byte;
                FState = TState::Data;
            }
            break;
        case TState::AfterFF00:
            Out[Written++] = FReplace ? FErrorChar : Byte;
            FState = TState::Data;
            break;
        }
    }
    return Written;
}

} // namespace win32_detail
