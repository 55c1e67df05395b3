#pragma once
// DrawFrameControl: the frames of the platform's standard controls, drawn on
// a control's canvas (its Handle) while it paints.

#include "vcl/ControlCanvas.h"
#include "win32/Types.h"

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

constexpr UINT DFC_BUTTON = 4;
constexpr UINT DFCS_BUTTONPUSH = 0x0010;
constexpr UINT DFCS_INACTIVE = 0x0100;
constexpr UINT DFCS_PUSHED = 0x0200;

// Only push buttons (DFC_BUTTON with DFCS_BUTTONPUSH) are drawn: a button
// face in the button colour with a raised edge, or a sunken one when
// DFCS_PUSHED. FALSE for a null or idle context, a null rectangle or any
// other frame.
BOOL DrawFrameControl(HDC Dc, RECT* Rect, UINT Type, UINT State);
