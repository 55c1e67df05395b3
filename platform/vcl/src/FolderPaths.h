#pragma once
// Folder paths of the directory and file lists (private to the window layer).

#include "rtl/System.h"

// Path made absolute from Base (when relative) and lexically normal, without
// a trailing '/' (except for "/" itself).
AnsiString ResolveFolder(const AnsiString& Base, const AnsiString& Path);
// Path (taken from Base when relative) resolved; raises EInOutError
// "Directory not found: <Path>" when it is no directory.
AnsiString ExistingFolder(const AnsiString& Base, const AnsiString& Path);
// The process's working folder, or "/" when it cannot be found.
AnsiString WorkingFolder();
// The folder of a drive letter, resolved; raises EInOutError "Drive <L>: is
// not mapped" for a letter without one.
AnsiString FolderOfDrive(char Letter);
