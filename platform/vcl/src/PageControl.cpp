#include "vcl/PageControl.h"

#include <QTabWidget>

#include "QtSupport.h"

namespace {

QTabWidget* Tabs(const TPageControl* Control)
{
    return static_cast<QTabWidget*>(Control->Widget());
}

} // namespace

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner, new QWidget) {}

TPageControl* TTabSheet::PageControl() const
{
    return dynamic_cast<TPageControl*>(Parent());
}

void TTabSheet::SetParent(TWinControl* AParent)
{
    TWinControl::SetParent(AParent);
    // The page control shows one page at a time; every page shown would lie
    // under the shown one, and Tab would take the focus to its controls.
    if (TPageControl* Pages = PageControl(); Pages && Pages->ActivePageIndex() != PageIndex())
        Widget()->hide();
}

int TTabSheet::PageIndex() const
{
    TPageControl* Pages = PageControl();
    return Pages ? Tabs(Pages)->indexOf(Widget()) : -1;
}

void TTabSheet::CaptionChanged()
{
    if (TPageControl* Pages = PageControl())
        Tabs(Pages)->setTabText(PageIndex(), ToQt(Caption()));
}

void TTabSheet::DefineProperties(TPropertyList& List)
{
    TWinControl::DefineProperties(List);
    DefineCaption(List);
}

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner, new QTabWidget)
{
    auto* TabWidget = Tabs(this);
    TabWidget->setUsesScrollButtons(true);
    // currentChanged comes from code too: OnChange only for the user's pick,
    // which the tab bar reports as a click.
    QObject::connect(TabWidget, &QTabWidget::tabBarClicked, TabWidget, [this](int Index) {
        if (Index < 0 || Index == ActivePageIndex())
            return;
        // The tab bar changes the page after this signal.
        SetActivePageIndex(Index);
        if (FOnChange && !Loading())
            RunHandler([this] { FOnChange(this); });
    });
    SetBounds(0, 0, 289, 193);
}

void TPageControl::InsertControl(TControl* Control)
{
    auto* Sheet = dynamic_cast<TTabSheet*>(Control);
    if (!Sheet) {
        TWinControl::InsertControl(Control);
        return;
    }
    TWinControl::InsertControl(Control);
    Tabs(this)->addTab(Sheet->Widget(), ToQt(Sheet->Caption()));
}

void TPageControl::RemoveControl(TControl* Control)
{
    if (auto* Sheet = dynamic_cast<TTabSheet*>(Control)) {
        int Index = Tabs(this)->indexOf(Sheet->Widget());
        if (Index >= 0)
            Tabs(this)->removeTab(Index);
    }
    TWinControl::RemoveControl(Control);
}

int TPageControl::PageCount() const
{
    return Tabs(this)->count();
}

TTabSheet* TPageControl::Pages(int Index) const
{
    QWidget* Page = Tabs(this)->widget(Index);
    if (!Page)
        return nullptr;
    for (int i = 0; i < ControlCount(); ++i)
        if (Controls(i)->Widget() == Page)
            return dynamic_cast<TTabSheet*>(Controls(i));
    return nullptr;
}

int TPageControl::ActivePageIndex() const
{
    return Tabs(this)->currentIndex();
}

void TPageControl::SetActivePageIndex(int Value)
{
    if (Value < 0 || Value >= PageCount())
        return;
    Tabs(this)->setCurrentIndex(Value);
}

void TPageControl::SetActivePage(TTabSheet* Page)
{
    if (Page && Page->PageControl() == this)
        SetActivePageIndex(Page->PageIndex());
}

void TPageControl::Loaded()
{
    TWinControl::Loaded();
    if (!FActivePageName.empty()) {
        TComponent* Named = Owner() ? Owner()->FindComponent(FActivePageName) : nullptr;
        auto* Page = dynamic_cast<TTabSheet*>(Named);
        if (!Page || Page->PageControl() != this)
            throw EReadError("ActivePage " + FActivePageName + " is not a page of " + Name());
        SetActivePage(Page);
    } else if (FActivePageIndexWanted >= 0) {
        SetActivePageIndex(FActivePageIndexWanted);
    }
}

void TPageControl::DefineProperties(TPropertyList& List)
{
    TWinControl::DefineProperties(List);
    List.Add("ActivePage", [this](const TStoredValue& V) { FActivePageName = V.AsString(); });
    List.Add("ActivePageIndex", [this](const TStoredValue& V) { FActivePageIndexWanted = V.AsInt(); });
    List.AddEvent<TNotifyEvent>("OnChange", [this](TNotifyEvent E) { SetOnChange(std::move(E)); });
}
