#pragma once
// A multi-line text box, used as a log: Lines->Add appends a line and the
// view follows the end.

#include <memory>

#include "vcl/Controls.h"
#include "vcl/Strings.h"

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TRichEdit : public TWinControl {
public:
    explicit TRichEdit(TComponent* AOwner);
    ~TRichEdit() override;

    TStrings* Lines() const;
    void Clear();

    bool ReadOnly() const;
    void SetReadOnly(bool Value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);

    void DefineProperties(TPropertyList& List) override;

private:
    class TLines;
    void ApplyScrolling();

    std::unique_ptr<TLines> FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
};
