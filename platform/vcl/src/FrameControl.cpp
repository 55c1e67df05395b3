#include "vcl/FrameControl.h"

#include <QApplication>
#include <QPalette>
#include <qdrawutil.h>

#include "CanvasPainting.h"

BOOL DrawFrameControl(HDC Dc, RECT* Rect, UINT Type, UINT State)
{
    if (!Dc || !Dc->Painter || !Rect || Type != DFC_BUTTON || (State & 0x1F) != DFCS_BUTTONPUSH)
        return FALSE;
    const QRect Place(Rect->left, Rect->top, Rect->right - Rect->left, Rect->bottom - Rect->top);
    if (Place.isEmpty())
        return TRUE;
    const QPalette Palette = QApplication::palette();
    const QBrush Face = Palette.brush(QPalette::Button);
    qDrawWinButton(Dc->Painter, Place, Palette, (State & DFCS_PUSHED) != 0, &Face);
    return TRUE;
}
