#include "win32/MessageBox.h"

int MessageBox(HWND /*Owner*/, LPCSTR Text, LPCSTR Caption, UINT Type)
{
    return ShowMessageBox(Text ? Text : "", Caption ? Caption : "", Type);
}
