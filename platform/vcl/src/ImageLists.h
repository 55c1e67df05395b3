#pragma once
// The image lists behind HIMAGELIST (private to the window layer).

#include <QPixmap>
#include <vector>

#include "vcl/CommCtrl.h"

struct TImageListObject {
    int Size = 16;                 // square icons of this many pixels
    std::vector<QPixmap> Images;
    std::vector<qint64> Keys;      // the icon each image came from
};

// The system list of small (16) or large (32) icons.
HIMAGELIST SystemImageList(bool Small);
// The list of a handle, or null when it does not exist.
TImageListObject* ImageListOf(HIMAGELIST List);
// The index of the icon of Key in a system list, added first when new.
int AddSystemIcon(bool Small, qint64 Key, const QPixmap& Picture);
// A copy of one image of a list; null when there is none.
QPixmap ImageOf(HIMAGELIST List, int Index);
