#pragma once
// The screen object: the mouse cursor of the whole program, and the size of
// the screen.

#include "rtl/System.h"

enum TCursor { crDefault, crArrow, crHourGlass };

class TScreen : public TObject {
public:
    // crHourGlass shows the busy cursor over every window of the program;
    // crDefault and crArrow give each control its own cursor back.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);

    int Width() const;
    int Height() const;

private:
    TCursor FCursor = crDefault;
    bool FOverridden = false;
};

extern TScreen* const Screen;
