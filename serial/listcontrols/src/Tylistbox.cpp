#include "YVclCtrl/Tylistbox.h"

#include "ItemPainting.h"
#include "ListGlyphs.h"
#include "rtl/StoredProperties.h"
#include "vcl/FrameControl.h"
#include "win32/MessageBox.h"

namespace YVclCtrl {

namespace {

std::unique_ptr<TBitmap> LoadGlyph(const char* Name)
{
    auto Glyph = std::make_unique<TBitmap>();
    Glyph->LoadFromResourceName(Name);
    Glyph->SetTransparent(true);
    return Glyph;
}

} // namespace

void TYListBox::RunConstructor(TComponent*)
{
    SetColor(clBtnFace);
    SetStyle(lbOwnerDrawFixed);
    SetItemHeight(24);
    RegisterListGlyphs();
    GlyphGray0 = LoadGlyph("GP_GRAY0");
    GlyphGray1 = LoadGlyph("GP_Gray1");
    GlyphSel0 = LoadGlyph("GP_Sel0");
    GlyphSel1 = LoadGlyph("GP_Sel1");
}

void TYListBox::RunDestructor()
{
    GlyphSel1.reset();
    GlyphSel0.reset();
    GlyphGray1.reset();
    GlyphGray0.reset();
}

bool TYListBox::ShowErrMsgBox(AnsiString& Text)
{
    MessageBox(nullptr, Text.c_str(), "TYListBox", MB_ICONERROR);
    return true;
}

void TYListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    TControlCanvas* C = Canvas();
    C->Brush().SetStyle(bsSolid);
    C->Brush().SetColor(Color());
    C->FillRect(Rect);
    RECT Face{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom - 1};
    DrawFrameControl(C->Handle(), &Face, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);

    const int GlyphY = Rect.Height() <= 16 ? Rect.Top + 2 : Rect.Top + (Rect.Height() - 16) / 2;
    const bool Selected = State.Contains(odSelected);
    if (State.Contains(odDisabled)) {
        C->Draw(Rect.Left + 4, GlyphY, Selected ? GlyphGray1.get() : GlyphGray0.get());
        C->Font().SetColor(clGrayText);
    } else {
        C->Draw(Rect.Left + 4, GlyphY, Selected ? GlyphSel1.get() : GlyphSel0.get());
        C->Font().SetColor(clBtnText);
    }

    const int PixelHeight = ItemTextHeight(*C);
    const int TextY = Rect.Height() > PixelHeight ? Rect.Top + (Rect.Height() - PixelHeight) / 2 - 1 : Rect.Top + 2;
    C->Brush().SetStyle(bsClear);
    C->TextOut(Rect.Left + 24, TextY, Items()->Strings(Index));
}

void TYListBox::DefineProperties(TPropertyList& List)
{
    TCustomListBox::DefineProperties(List);
    // Always owner-drawn at a fixed height.
    List.Add("Style", [](const TStoredValue&) { throw EReadError("Property Style does not exist"); });
}

} // namespace YVclCtrl
