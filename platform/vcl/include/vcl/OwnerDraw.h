#pragma once
// Owner-drawn items of list boxes and combo boxes: the state an item is
// drawn in, and the events that draw and measure it.

#include <functional>

#include "vcl/Graphics.h"
#include "vcl/Sets.h"

class TWinControl;

enum TOwnerDrawStateFlag { odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odComboBoxEdit };
using TOwnerDrawState = TSet<TOwnerDrawStateFlag>;

using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;
