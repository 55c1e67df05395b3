#pragma once
// Pages with tabs. A tab sheet is placed in its page control by making the
// page control its parent; the pages keep the order in which they joined.

#include "vcl/Controls.h"

class TPageControl;

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* AOwner);

    using TControl::Caption;
    using TControl::SetCaption;

    TPageControl* PageControl() const;
    // The page's place in its page control, or -1.
    int PageIndex() const;

    // A page joins its page control out of sight unless it is the shown one.
    void SetParent(TWinControl* AParent) override;

    void DefineProperties(TPropertyList& List) override;

protected:
    void CaptionChanged() override;
};

class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* AOwner);

    int PageCount() const;
    // Null for an index out of range.
    TTabSheet* Pages(int Index) const;

    // -1 when there is no page. Setting an index out of range changes nothing.
    int ActivePageIndex() const;
    void SetActivePageIndex(int Value);
    TTabSheet* ActivePage() const { return Pages(ActivePageIndex()); }
    void SetActivePage(TTabSheet* Page);

    // Runs when the user picks another page.
    const TNotifyEvent& OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

    void DefineProperties(TPropertyList& List) override;
    void Loaded() override;

protected:
    void InsertControl(TControl* Control) override;
    void RemoveControl(TControl* Control) override;

private:
    friend class TTabSheet;
    AnsiString FActivePageName;
    int FActivePageIndexWanted = -1;
    TNotifyEvent FOnChange;
};
