#include "vcl/StatusBar.h"

#include <QPainter>
#include <QWidget>

#include "Bevels.h"
#include "QtSupport.h"
#include "StoredValues.h"
#include "vcl/FormResource.h"

// Draws the panels side by side, each in a lowered frame; the last one runs
// to the right edge.
class TStatusBar::TBarWidget : public QWidget {
public:
    explicit TBarWidget(TStatusBar* ABar) : Bar(ABar) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter Painter(this);
        int X = 0;
        const auto& Panels = Bar->FPanelList;
        for (size_t i = 0; i < Panels.size(); ++i) {
            bool Last = i + 1 == Panels.size();
            int W = Last ? std::max(0, width() - X) : Panels[i]->Width();
            QRect Cell(X, 2, W - 2, height() - 3);
            DrawEdge(Painter, Cell, false, palette());
            Painter.setPen(palette().color(QPalette::WindowText));
            QString Text = ToQt(Panels[i]->Text());
            QRect TextRect = Cell.adjusted(2, 0, -2, 0);
            Painter.drawText(TextRect, ToQtAlignment(Panels[i]->Alignment()),
                             fontMetrics().elidedText(Text, Qt::ElideRight, TextRect.width()));
            X += W;
        }
    }

private:
    TStatusBar* Bar;
};

TStatusPanel::TStatusPanel(TStatusBar* ABar) : TComponent(ABar), FBar(ABar) {}

void TStatusPanel::SetText(const AnsiString& Value)
{
    FText = Value;
    FBar->PanelsChanged();
}

void TStatusPanel::SetWidth(int Value)
{
    FWidth = std::max(0, Value);
    FBar->PanelsChanged();
}

void TStatusPanel::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    FBar->PanelsChanged();
}

void TStatusPanel::DefineProperties(TPropertyList& List)
{
    TComponent::DefineProperties(List);
    List.Add("Alignment", [this](const TStoredValue& V) { SetAlignment(V.AsEnumOf<TAlignment>(AlignmentNames)); });
    List.Add("Text", [this](const TStoredValue& V) { SetText(V.AsString()); });
    List.Add("Width", [this](const TStoredValue& V) { SetWidth(V.AsInt()); });
}

int TStatusPanels::Count() const
{
    return static_cast<int>(FBar->FPanelList.size());
}

TStatusPanel* TStatusPanels::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        return nullptr;
    return FBar->FPanelList[static_cast<size_t>(Index)];
}

TStatusPanel* TStatusPanels::Add()
{
    auto* Panel = new TStatusPanel(FBar);
    FBar->FPanelList.push_back(Panel);
    FBar->PanelsChanged();
    return Panel;
}

void TStatusPanels::Clear()
{
    std::vector<TStatusPanel*> Old;
    Old.swap(FBar->FPanelList);
    for (TStatusPanel* Panel : Old)
        delete Panel;
    FBar->PanelsChanged();
}

TStatusBar::TStatusBar(TComponent* AOwner) : TWinControl(AOwner, new TBarWidget(this)), FPanels(this)
{
    FBar = static_cast<TBarWidget*>(Widget());
    SetColor(clBtnFace);
    SetBounds(0, 0, 200, 19);
    SetAlign(alBottom);
}

TStatusBar::~TStatusBar()
{
    // The panels are owned components: they go with the bar, and leave the
    // list now so that nothing draws them on the way.
    FPanelList.clear();
}

void TStatusBar::PanelsChanged()
{
    FBar->update();
}

void TStatusBar::DefineProperties(TPropertyList& List)
{
    TWinControl::DefineProperties(List);
    List.Add("Panels", [this](const TStoredValue& V) {
        auto Items = ParseCollectionItems(V);
        FPanels.Clear();
        for (const auto& Item : Items)
            LoadStoredProperties(*FPanels.Add(), Item);
    });
}
