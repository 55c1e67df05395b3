#pragma once
// The checks of the directory and file lists' drive and directory writers
// (private to the library).

#include "rtl/System.h"

namespace YVclCtrl {

// Raises EInOutError "Err: <ClassName> \nInaccessible Drive \"<L>\" \nfrom
// component <Name>" when the free space of "<L>:\" cannot be asked for.
void CheckDriveReady(const char* ClassName, char Letter, const AnsiString& Name);

// Raises EInOutError "Err: <ClassName> \nInaccessible Directory \"<Path>\"
// \nfrom component <Name>" when Path (taken from Base when relative) is no
// directory.
void CheckDirectory(const char* ClassName, const AnsiString& Path, const AnsiString& Base, const AnsiString& Name);

} // namespace YVclCtrl
