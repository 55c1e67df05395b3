#pragma once
// MessageBox: shown through the class-library core's message-box hook, so
// the window layer shows a real dialog and tests can script the answer.

#include "rtl/MessageBox.h"
#include "win32/Types.h"

// Owner is not used: every box of this system is shown without an owner
// window. Returns IDOK, IDYES, IDNO or IDCANCEL.
int MessageBox(HWND Owner, LPCSTR Text, LPCSTR Caption, UINT Type);
