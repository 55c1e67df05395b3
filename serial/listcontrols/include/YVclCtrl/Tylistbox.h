#pragma once
// TYListBox: an owner-drawn list box whose items look like check boxes on
// pushed buttons. Each item is a pushed button face with a box glyph 4
// pixels in and its text 24 pixels in; a selected item shows a ticked box.
// A disabled control draws its items with the grey glyphs and grey text.
// The items always have the fixed ItemHeight (24 at first); Style is not
// published.

#include <memory>

#include "vcl/Bitmap.h"
#include "vcl/ListBox.h"

namespace YVclCtrl {

class TYListBox : public TCustomListBox {
public:
    explicit TYListBox(TComponent* AOwner) : TCustomListBox(AOwner) { RunConstructor(AOwner); }
    ~TYListBox() override { RunDestructor(); }

    // An error box without owner window, captioned "TYListBox", with the
    // error icon; true.
    bool ShowErrMsgBox(AnsiString& Text);

    void DefineProperties(TPropertyList& List) override;

protected:
    void DrawItem(int Index, TRect Rect, TOwnerDrawState State) override;

private:
    void RunConstructor(TComponent* AOwner);
    void RunDestructor();

    std::unique_ptr<TBitmap> GlyphGray0;
    std::unique_ptr<TBitmap> GlyphGray1;
    std::unique_ptr<TBitmap> GlyphSel0;
    std::unique_ptr<TBitmap> GlyphSel1;
};

} // namespace YVclCtrl
