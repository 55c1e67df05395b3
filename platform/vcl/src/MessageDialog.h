#pragma once
// The message box of the system as a toolkit dialog, shown on the main
// thread.

#include "rtl/MessageBox.h"

int ShowMessageDialog(const TMessageBoxRequest& Request);
