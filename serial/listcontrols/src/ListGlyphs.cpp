// The glyphs of TYListBox's items, kept as the program's bitmap resources:
// 16 x 16 pixels on a silver ground (the transparent colour), a square box
// with a two-pixel frame, grey for a disabled item and purple for an
// enabled one; a ticked box for a selected item (a green tick, or a red
// tick on a cyan field).

#include "ListGlyphs.h"

#include "vcl/Bitmap.h"

namespace YVclCtrl {

namespace {

// "GP_GRAY0"
const char* const XpmGray0[] = {
    "16 16 3 1",
    "  c #C0C0C0",
    "g c #808080",
    "w c #FFFFFF",
    "                ",
    " gggggggggggggg ",
    " gggggggggggggg ",
    " ggwwwwwwwwwwgg ",
    " ggwwwwwwwwwwgg ",
    " ggwwwwwwwwwwgg ",
    " ggwwwwwwwwwwgg ",
    " ggwwwwwwwwwwgg ",
    " ggwwwwwwwwwwgg ",
    " ggwwwwwwwwwwgg ",
    " ggwwwwwwwwwwgg ",
    " ggwwwwwwwwwwgg ",
    " ggwwwwwwwwwwgg ",
    " gggggggggggggg ",
    " gggggggggggggg ",
    "                ",
};

// "GP_Gray1"
const char* const XpmGray1[] = {
    "16 16 4 1",
    "  c #C0C0C0",
    "G c #008000",
    "g c #808080",
    "w c #FFFFFF",
    "                ",
    " gggggggggggggg ",
    " gggggggggggggg ",
    " ggwwwwwwwwwwgg ",
    " ggwwwwwwwwGwgg ",
    " ggwwwwwwwGGwgg ",
    " ggwwwwwwGGwwgg ",
    " ggwGwwwGGwwwgg ",
    " ggwGGwGGwwwwgg ",
    " ggwwGGGwwwwwgg ",
    " ggwwwGwwwwwwgg ",
    " ggwwwwwwwwwwgg ",
    " ggwwwwwwwwwwgg ",
    " gggggggggggggg ",
    " gggggggggggggg ",
    "                ",
};

// "GP_Sel0"
const char* const XpmSel0[] = {
    "16 16 3 1",
    "  c #C0C0C0",
    "p c #800080",
    "w c #FFFFFF",
    "                ",
    " pppppppppppppp ",
    " pppppppppppppp ",
    " ppwwwwwwwwwwpp ",
    " ppwwwwwwwwwwpp ",
    " ppwwwwwwwwwwpp ",
    " ppwwwwwwwwwwpp ",
    " ppwwwwwwwwwwpp ",
    " ppwwwwwwwwwwpp ",
    " ppwwwwwwwwwwpp ",
    " ppwwwwwwwwwwpp ",
    " ppwwwwwwwwwwpp ",
    " ppwwwwwwwwwwpp ",
    " pppppppppppppp ",
    " pppppppppppppp ",
    "                ",
};

// "GP_Sel1"
const char* const XpmSel1[] = {
    "16 16 4 1",
    "  c #C0C0C0",
    "c c #00FFFF",
    "p c #800080",
    "r c #FF0000",
    "                ",
    " pppppppppppppp ",
    " pppppppppppppp ",
    " ppccccccccccpp ",
    " ppccccccccrcpp ",
    " ppcccccccrrcpp ",
    " ppccccccrrccpp ",
    " ppcrcccrrcccpp ",
    " ppcrrcrrccccpp ",
    " ppccrrrcccccpp ",
    " ppcccrccccccpp ",
    " ppccccccccccpp ",
    " ppccccccccccpp ",
    " pppppppppppppp ",
    " pppppppppppppp ",
    "                ",
};

} // namespace

void RegisterListGlyphs()
{
    RegisterBitmapResource("GP_GRAY0", XpmGray0);
    RegisterBitmapResource("GP_Gray1", XpmGray1);
    RegisterBitmapResource("GP_Sel0", XpmSel0);
    RegisterBitmapResource("GP_Sel1", XpmSel1);
}

} // namespace YVclCtrl
