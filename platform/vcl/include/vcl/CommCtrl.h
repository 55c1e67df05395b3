#pragma once
// Image lists of the platform: the system's lists of file and drive icons
// (SHGetFileInfo, vcl/ShellApi.h) and the copies made of them.
//
// A copy belongs to whoever made it, until ImageList_Destroy (or the
// TImageList that took it without ShareImages). The system lists live as
// long as the program and cannot be destroyed.

#include "win32/Types.h"

struct TImageListObject;
using HIMAGELIST = TImageListObject*;

// A new list with the same images; null for a list that does not exist.
HIMAGELIST ImageList_Duplicate(HIMAGELIST List);
// FALSE for a system list or one that does not exist.
BOOL ImageList_Destroy(HIMAGELIST List);
// The number of images; 0 for a list that does not exist.
int ImageList_GetImageCount(HIMAGELIST List);
BOOL ImageList_GetIconSize(HIMAGELIST List, int* Width, int* Height);
