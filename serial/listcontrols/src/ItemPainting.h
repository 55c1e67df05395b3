#pragma once
// Drawing shared by the drive and file lists' items (private to the library).

#include "vcl/ControlCanvas.h"
#include "vcl/Controls.h"
#include "vcl/OwnerDraw.h"
#include "vcl/ShellApi.h"

namespace YVclCtrl {

// Fills the item with its background: the active-caption colour when
// selected, the button face when disabled, else the control's colour.
// Returns the text colour that goes with it.
TColor FillItemBackground(TControl& Control, TControlCanvas& Canvas, const TRect& Rect, TOwnerDrawState State);

// Asks the shell for Path's icon (and whatever Flags add) and draws the
// icon at (X, Y) from a copy of the system image list, wrapped in an image
// list owned by Owner; false, with nothing drawn, when the shell gives no
// image list or it cannot be copied.
bool DrawShellIcon(TComponent* Owner, TControlCanvas& Canvas, const AnsiString& Path, UINT Flags, int X, int Y,
                   SHFILEINFO& Info);

// The text height the items are laid out by: font size × pixels per inch / 72.
int ItemTextHeight(TControlCanvas& Canvas);

} // namespace YVclCtrl
