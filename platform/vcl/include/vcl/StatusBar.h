#pragma once
// A status bar along the bottom of its form, divided into panels of given
// widths; the last panel reaches the right edge.
//
// In a form resource the panels are a collection:
//     Panels = < { Text = "COM"; Width = 55 } { Width = 50; Alignment = taCenter } >

#include "vcl/Controls.h"

class TStatusBar;

class TStatusPanel : public TComponent {
public:
    explicit TStatusPanel(TStatusBar* ABar);

    const AnsiString& Text() const { return FText; }
    void SetText(const AnsiString& Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);

    void DefineProperties(TPropertyList& List) override;

private:
    TStatusBar* FBar;
    AnsiString FText;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
};

class TStatusPanels : public TObject {
public:
    explicit TStatusPanels(TStatusBar* ABar) : FBar(ABar) {}

    int Count() const;
    // Null for an index out of range.
    TStatusPanel* Items(int Index) const;
    TStatusPanel* Add();
    void Clear();

private:
    TStatusBar* FBar;
};

class TStatusBar : public TWinControl {
public:
    explicit TStatusBar(TComponent* AOwner);
    ~TStatusBar() override;

    TStatusPanels* Panels() { return &FPanels; }

    void DefineProperties(TPropertyList& List) override;

private:
    friend class TStatusPanel;
    friend class TStatusPanels;
    class TBarWidget;
    void PanelsChanged();

    TStatusPanels FPanels;
    std::vector<TStatusPanel*> FPanelList;
    TBarWidget* FBar;
};
