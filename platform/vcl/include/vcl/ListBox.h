#pragma once
// List boxes: a list of strings, of which one (or, with MultiSelect, several)
// may be selected.
//
// Styles: lbStandard draws each item's text; lbOwnerDrawFixed has DrawItem
// draw every item at ItemHeight; lbOwnerDrawVariable also asks MeasureItem
// for each item's height (starting from ItemHeight). DrawItem runs with
// Canvas set to the control's font and colour (a selected item in the
// highlight colours); it calls OnDrawItem when assigned and otherwise draws
// the item's text. OnClick comes from the user choosing an item with the
// mouse or the keys, never from code; OnDblClick from a double click on an
// item.

#include <memory>

#include "vcl/ControlCanvas.h"
#include "vcl/Controls.h"
#include "vcl/OwnerDraw.h"

class TOwnerDrawDelegate;
#include "vcl/Strings.h"

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;

    // With Sorted, an added or inserted string goes to its place in the
    // order (case not minded).
    TStrings* Items() const;

    // The item with the focus (the selected one without MultiSelect); -1
    // for none or an index outside the items.
    int ItemIndex() const;
    void SetItemIndex(int Value);
    bool Selected(int Index) const;
    void SetSelected(int Index, bool Value);
    int SelCount() const;

    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle Value);
    // At least 1.
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int Value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    // With MultiSelect: shift and control clicks extend the selection; without
    // it every click toggles its item.
    bool ExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool Value);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    // Typing the start of an item's text chooses it.
    bool AutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool Value);
    // The height is cut to whole items.
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool Value);

    TControlCanvas* Canvas() const { return FCanvas.get(); }
    // The item's rectangle in the control's coordinates (empty when out of
    // view or outside the items).
    TRect ItemRect(int Index) const;
    // The item at a point of the control; -1 when none (Existing) or, when
    // not Existing, the count for a point below the last item.
    int ItemAtPos(TPoint Pos, bool Existing) const;

    const TNotifyEvent& OnClick() const { return FOnClick; }
    void SetOnClick(TNotifyEvent Value) { FOnClick = std::move(Value); }
    const TNotifyEvent& OnDblClick() const { return FOnDblClick; }
    void SetOnDblClick(TNotifyEvent Value) { FOnDblClick = std::move(Value); }
    const TDrawItemEvent& OnDrawItem() const { return FOnDrawItem; }
    void SetOnDrawItem(TDrawItemEvent Value) { FOnDrawItem = std::move(Value); }
    const TMeasureItemEvent& OnMeasureItem() const { return FOnMeasureItem; }
    void SetOnMeasureItem(TMeasureItemEvent Value) { FOnMeasureItem = std::move(Value); }

    void DefineProperties(TPropertyList& List) override;

    // The height of an item as the list lays it out (ItemHeight, or what
    // MeasureItem gives).
    int ItemLayoutHeight(int Index);

protected:
    virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
    virtual void MeasureItem(int Index, int& Height);
    virtual void Click();
    virtual void DblClick();
    // Lays the items out again, measuring them anew.
    void RecreateWnd();
    // Runs after the items changed (the list changes its own ones too).
    virtual void ItemsChanged() {}

private:
    class TItems;
    class TModel;
    class TView;
    void PaintItem(QPainter& Painter, int Index, const TRect& Rect, TOwnerDrawState State);
    void ApplySelectionMode();
    void UserChose();
    void ApplyIntegralHeight();
    void ApplyGeometry() override;

    std::unique_ptr<TModel> FModel;
    std::unique_ptr<TItems> FItems;
    std::unique_ptr<TControlCanvas> FCanvas;
    TOwnerDrawDelegate* FDelegate = nullptr;   // owned by the widget
    TView* FView;
    TListBoxStyle FStyle = lbStandard;
    int FItemHeight = 16;
    bool FMultiSelect = false;
    bool FExtendedSelect = true;
    bool FSorted = false;
    bool FAutoComplete = true;
    bool FIntegralHeight = false;
    bool FSettingSelection = false;
    TNotifyEvent FOnClick;
    TNotifyEvent FOnDblClick;
    TDrawItemEvent FOnDrawItem;
    TMeasureItemEvent FOnMeasureItem;
};

// The list box as placed on forms.
class TListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
};
