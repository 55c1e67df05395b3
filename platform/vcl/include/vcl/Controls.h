#pragma once
// The control bases: a control is a component with a window-toolkit widget,
// a place in a parent, a size, a font and a colour; a windowed control holds
// other controls.
//
// Properties: the reader is named as the property and the writer Set<Name>;
// events are read as On<Event>() and set with SetOn<Event>(). Every handler
// runs on the main thread, called from the window toolkit's input or from
// code; an exception that escapes a handler called from input goes to the
// application's exception display and the loop goes on.
//
// A control without a parent is never shown. Destroying a windowed control
// destroys the controls it holds, as the class library does.

#include <vector>

#include "rtl/Classes.h"
#include "vcl/Graphics.h"

class QWidget;
class TWinControl;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;

class TControl : public TComponent {
public:
    ~TControl() override;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    // Negative sizes count as 0.
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign Value);

    // The control's own flags. A control is shown when it and every parent
    // up to its form are visible, and takes input when it and every parent
    // are enabled.
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);

    // The hint shows as a tool tip while ShowHint is true.
    const AnsiString& Hint() const { return FHint; }
    void SetHint(const AnsiString& Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);

    // While ParentFont is true the control follows its parent's font; any
    // change of Font itself clears ParentFont.
    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);

    // The colour of the control's client area. Edits, rich edits, list and
    // combo boxes and grids show it in their text or cell area and start with
    // clWindow; forms, panels, group boxes and the status bar show it as
    // their face and start with clBtnFace. Labels, check boxes and buttons
    // start with clDefault: they show their parent's face.
    TColor Color() const { return FColor; }
    virtual void SetColor(TColor Value);

    // The widget that stands for the control; for the test helpers and for
    // controls built on this base.
    QWidget* Widget() const { return FWidget; }

    void DefineProperties(TPropertyList& List) override;
    void Loaded() override;

protected:
    // AWidget becomes the control's; it is destroyed with the control.
    TControl(TComponent* AOwner, QWidget* AWidget);

    // Controls that have a caption publish these with a using-declaration.
    const AnsiString& Caption() const { return FCaption; }
    void SetCaption(const AnsiString& Value);
    virtual void CaptionChanged() {}

    // Applies the resolved font and colour to the widget.
    virtual void FontChanged();
    virtual void ColorChanged();

    // Publishes Caption for the controls that have one.
    void DefineCaption(TPropertyList& List);

    // For the controls whose Color is that of their text or cell area: sets
    // Color to clWindow.
    void ShowColorInTextArea();

    // True while stored properties are applied: events stay silent then.
    bool Loading() const { return ComponentState().Contains(csLoading); }
    // Runs a handler called from input; an exception goes to the
    // application's exception display.
    void RunHandler(const std::function<void()>& Handler);

    void UpdateShown();
    // Puts the bounds on the widget.
    virtual void ApplyGeometry();

private:
    friend class TWinControl;
    friend class TForm;
    void ParentFontChanged();

    QWidget* FWidget;
    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    TAlign FAlign = alNone;
    bool FVisible = true;
    bool FEnabled = true;
    AnsiString FHint;
    bool FShowHint = false;
    AnsiString FCaption;
    TFont FFont;
    bool FParentFont = true;
    bool FApplyingParentFont = false;
    TColor FColor = clDefault;
    bool FColorInTextArea = false;
};

class TWinControl : public TControl {
public:
    ~TWinControl() override;

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    // Null for an index out of range.
    TControl* Controls(int Index) const;

    // The widget that the held controls are placed in.
    virtual QWidget* ClientWidget() const;
    int ClientWidth() const;
    int ClientHeight() const;

    // Places the aligned controls again (done by itself on a resize).
    void Realign();

protected:
    using TControl::TControl;
    // A control joins or leaves: the default places its widget in the
    // client widget.
    virtual void InsertControl(TControl* Control);
    virtual void RemoveControl(TControl* Control);
    void FontChanged() override;

private:
    friend class TControl;
    class TResizeWatcher;
    void WatchResize();

    std::vector<TControl*> FControls;
    bool FWatchingResize = false;
    bool FRealigning = false;
};
