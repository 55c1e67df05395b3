#include "win32/Broadcast.h"

long BroadcastSystemMessage(DWORD, LPDWORD, UINT, WPARAM, LPARAM)
{
    return 1;
}
