#include "vcl/Controls.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <algorithm>

#include "QtSupport.h"
#include "StoredValues.h"
#include "rtl/Application.h"
#include "rtl/StoredProperties.h"

TControl::TControl(TComponent* AOwner, QWidget* AWidget) : TComponent(AOwner), FWidget(AWidget)
{
    // Hidden until it has a parent: a widget without one would be a window.
    FWidget->hide();
    FFont.SetOnChange([this](TObject*) {
        if (!FApplyingParentFont)
            FParentFont = false;
        FontChanged();
    });
}

TControl::~TControl()
{
    if (FParent)
        FParent->RemoveControl(this);
    FParent = nullptr;
    delete FWidget;
}

void TControl::SetParent(TWinControl* AParent)
{
    if (AParent == FParent)
        return;
    for (TControl* Up = AParent; Up; Up = Up->FParent)
        if (Up == this)
            throw Exception("Control " + Name() + " cannot hold itself");
    if (FParent)
        FParent->RemoveControl(this);
    FParent = AParent;
    if (FParent) {
        FParent->InsertControl(this);
        if (FParentFont)
            ParentFontChanged();
    }
    UpdateShown();
    if (FParent && FAlign != alNone)
        FParent->Realign();
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    FLeft = ALeft;
    FTop = ATop;
    FWidth = std::max(0, AWidth);
    FHeight = std::max(0, AHeight);
    ApplyGeometry();
    if (FParent && FAlign != alNone)
        FParent->Realign();
}

void TControl::ApplyGeometry()
{
    FWidget->setGeometry(FLeft, FTop, FWidth, FHeight);
}

void TControl::SetAlign(TAlign Value)
{
    FAlign = Value;
    if (FParent && FAlign != alNone)
        FParent->Realign();
}

void TControl::SetVisible(bool Value)
{
    FVisible = Value;
    UpdateShown();
    if (FParent && FAlign != alNone)
        FParent->Realign();
}

void TControl::UpdateShown()
{
    FWidget->setVisible(FVisible && FParent != nullptr);
}

void TControl::SetEnabled(bool Value)
{
    FEnabled = Value;
    FWidget->setEnabled(Value);
}

void TControl::SetHint(const AnsiString& Value)
{
    FHint = Value;
    FWidget->setToolTip(FShowHint ? ToQt(FHint) : QString());
}

void TControl::SetShowHint(bool Value)
{
    FShowHint = Value;
    SetHint(FHint);
}

void TControl::SetParentFont(bool Value)
{
    FParentFont = Value;
    if (FParentFont && FParent)
        ParentFontChanged();
}

void TControl::ParentFontChanged()
{
    if (!FParent)
        return;
    FApplyingParentFont = true;
    FFont.Assign(FParent->Font());
    FApplyingParentFont = false;
}

void TControl::SetColor(TColor Value)
{
    FColor = Value;
    ColorChanged();
}

void TControl::SetCaption(const AnsiString& Value)
{
    FCaption = Value;
    CaptionChanged();
}

void TControl::FontChanged()
{
    FWidget->setFont(ToQFont(FFont));
    if (FFont.Color() != clWindowText) {
        QPalette Palette = FWidget->palette();
        QColor Text = ToQColor(FFont.Color(), Palette);
        for (QPalette::ColorGroup Group : {QPalette::Active, QPalette::Inactive}) {
            Palette.setColor(Group, QPalette::WindowText, Text);
            Palette.setColor(Group, QPalette::Text, Text);
            Palette.setColor(Group, QPalette::ButtonText, Text);
        }
        FWidget->setPalette(Palette);
    }
}

void TControl::ShowColorInTextArea()
{
    FColorInTextArea = true;
    SetColor(clWindow);
}

void TControl::ColorChanged()
{
    if (FColor == clDefault || FColor == clNone)
        return;
    // Only the control's own role changes: the held controls inherit the
    // palette, and a form's face must not become the base of its edits and
    // grids. The colour stays in every state, as the class library paints a
    // disabled or read-only edit in its Color too.
    QPalette Palette = FWidget->palette();
    const QColor Back = ToQColor(FColor, QApplication::palette(FWidget));
    Palette.setColor(FColorInTextArea ? QPalette::Base : QPalette::Window, Back);
    FWidget->setPalette(Palette);
    if (!FColorInTextArea)
        FWidget->setAutoFillBackground(true);
}

void TControl::RunHandler(const std::function<void()>& Handler)
{
    try {
        Handler();
    } catch (...) {
        HandleException(this);
    }
}

void TControl::DefineCaption(TPropertyList& List)
{
    List.Add("Caption", [this](const TStoredValue& V) { SetCaption(V.AsString()); });
}

void TControl::DefineProperties(TPropertyList& List)
{
    TComponent::DefineProperties(List);
    List.Add("Left", [this](const TStoredValue& V) { SetLeft(V.AsInt()); });
    List.Add("Top", [this](const TStoredValue& V) { SetTop(V.AsInt()); });
    List.Add("Width", [this](const TStoredValue& V) { SetWidth(V.AsInt()); });
    List.Add("Height", [this](const TStoredValue& V) { SetHeight(V.AsInt()); });
    List.Add("Align", [this](const TStoredValue& V) { SetAlign(V.AsEnumOf<TAlign>(AlignNames)); });
    List.Add("Color", [this](const TStoredValue& V) { SetColor(StringToColor(V.Text)); });
    List.Add("Enabled", [this](const TStoredValue& V) { SetEnabled(V.AsBool()); });
    FFont.DefineProperties(List, "Font.");
    List.Add("ParentFont", [this](const TStoredValue& V) { SetParentFont(V.AsBool()); });
    List.Add("Hint", [this](const TStoredValue& V) { SetHint(V.AsString()); });
    List.Add("ShowHint", [this](const TStoredValue& V) { SetShowHint(V.AsBool()); });
    List.Add("Visible", [this](const TStoredValue& V) { SetVisible(V.AsBool()); });
}

void TControl::Loaded()
{
    TComponent::Loaded();
}

// Places the aligned controls again whenever the client widget is resized.
class TWinControl::TResizeWatcher : public QObject {
public:
    TResizeWatcher(TWinControl* AControl, QObject* Parent) : QObject(Parent), Control(AControl) {}

    bool eventFilter(QObject*, QEvent* Event) override
    {
        if (Event->type() == QEvent::Resize)
            Control->Realign();
        return false;
    }

private:
    TWinControl* Control;
};

TWinControl::~TWinControl()
{
    // The held controls go first, while this control is still whole; each
    // one leaves the list as it goes.
    while (!FControls.empty())
        delete FControls.back();
}

TControl* TWinControl::Controls(int Index) const
{
    if (Index < 0 || Index >= ControlCount())
        return nullptr;
    return FControls[static_cast<size_t>(Index)];
}

QWidget* TWinControl::ClientWidget() const
{
    return Widget();
}

int TWinControl::ClientWidth() const
{
    return ClientWidget()->width();
}

int TWinControl::ClientHeight() const
{
    return ClientWidget()->height();
}

void TWinControl::InsertControl(TControl* Control)
{
    FControls.push_back(Control);
    Control->FWidget->setParent(ClientWidget());
    Control->ApplyGeometry();
}

void TWinControl::RemoveControl(TControl* Control)
{
    auto Found = std::find(FControls.begin(), FControls.end(), Control);
    if (Found == FControls.end())
        return;
    FControls.erase(Found);
    Control->FWidget->hide();
    Control->FWidget->setParent(nullptr);
}

void TWinControl::FontChanged()
{
    TControl::FontChanged();
    for (TControl* Control : FControls)
        if (Control->ParentFont())
            Control->ParentFontChanged();
}

void TWinControl::WatchResize()
{
    if (FWatchingResize)
        return;
    FWatchingResize = true;
    ClientWidget()->installEventFilter(new TResizeWatcher(this, ClientWidget()));
}

void TWinControl::Realign()
{
    bool Any = std::any_of(FControls.begin(), FControls.end(), [](TControl* C) { return C->Align() != alNone; });
    if (!Any || FRealigning)
        return;
    WatchResize();
    FRealigning = true;
    QWidget* Client = ClientWidget();
    TRect Free{0, 0, Client->width(), Client->height()};
    auto Place = [](TControl* C, int L, int T, int W, int H) {
        C->FLeft = L;
        C->FTop = T;
        C->FWidth = std::max(0, W);
        C->FHeight = std::max(0, H);
        C->ApplyGeometry();
    };
    for (TAlign Pass : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* C : FControls) {
            if (C->Align() != Pass || !C->Visible())
                continue;
            switch (Pass) {
            case alTop:
                Place(C, Free.Left, Free.Top, Free.Width(), C->Height());
                Free.Top += C->Height();
                break;
            case alBottom:
                Place(C, Free.Left, Free.Bottom - C->Height(), Free.Width(), C->Height());
                Free.Bottom -= C->Height();
                break;
            case alLeft:
                Place(C, Free.Left, Free.Top, C->Width(), Free.Height());
                Free.Left += C->Width();
                break;
            case alRight:
                Place(C, Free.Right - C->Width(), Free.Top, C->Width(), Free.Height());
                Free.Right -= C->Width();
                break;
            default:
                Place(C, Free.Left, Free.Top, Free.Width(), Free.Height());
                break;
            }
        }
    }
    FRealigning = false;
}
