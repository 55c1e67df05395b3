#include "vcl/RichEdit.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "QtSupport.h"
#include "StoredValues.h"

// The lines are the blocks of the edit's document; an empty document holds
// no line.
class TRichEdit::TLines : public TStrings {
public:
    explicit TLines(QPlainTextEdit* AEdit) : Edit(AEdit) {}

    int Count() const override
    {
        QTextDocument* Document = Edit->document();
        return Document->isEmpty() ? 0 : Document->blockCount();
    }
    AnsiString Strings(int Index) const override
    {
        CheckIndex(Index, Count() - 1);
        return FromQt(Edit->document()->findBlockByNumber(Index).text());
    }
    void SetStrings(int Index, const AnsiString& S) override
    {
        CheckIndex(Index, Count() - 1);
        QTextCursor Cursor(Edit->document()->findBlockByNumber(Index));
        Cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        Cursor.insertText(ToQt(S));
    }
    void Insert(int Index, const AnsiString& S) override
    {
        int N = Count();
        CheckIndex(Index, N);
        if (N == 0) {
            Edit->setPlainText(ToQt(S));
            FollowEnd();
        } else if (Index == N) {
            // Follows the end when the view was at the end.
            Edit->appendPlainText(ToQt(S));
        } else {
            QTextCursor Cursor(Edit->document()->findBlockByNumber(Index));
            Cursor.insertText(ToQt(S) + "\n");
        }
    }
    void Delete(int Index) override
    {
        int N = Count();
        CheckIndex(Index, N - 1);
        QTextBlock Block = Edit->document()->findBlockByNumber(Index);
        QTextCursor Cursor(Block);
        if (Index + 1 < N) {
            Cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
        } else {
            if (Index > 0)
                Cursor.movePosition(QTextCursor::PreviousCharacter);
            Cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        }
        Cursor.removeSelectedText();
    }
    void Clear() override { Edit->clear(); }

private:
    void FollowEnd() { Edit->verticalScrollBar()->setValue(Edit->verticalScrollBar()->maximum()); }

    QPlainTextEdit* Edit;
};

TRichEdit::TRichEdit(TComponent* AOwner) : TWinControl(AOwner, new QPlainTextEdit)
{
    auto* Edit = static_cast<QPlainTextEdit*>(Widget());
    FLines = std::make_unique<TLines>(Edit);
    ApplyScrolling();
    ShowColorInTextArea();
    SetBounds(0, 0, 185, 89);
}

TRichEdit::~TRichEdit() = default;

TStrings* TRichEdit::Lines() const
{
    return FLines.get();
}

void TRichEdit::Clear()
{
    FLines->Clear();
}

bool TRichEdit::ReadOnly() const
{
    return static_cast<QPlainTextEdit*>(Widget())->isReadOnly();
}

void TRichEdit::SetReadOnly(bool Value)
{
    static_cast<QPlainTextEdit*>(Widget())->setReadOnly(Value);
}

void TRichEdit::SetScrollBars(TScrollStyle Value)
{
    FScrollBars = Value;
    ApplyScrolling();
}

void TRichEdit::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    ApplyScrolling();
}

void TRichEdit::ApplyScrolling()
{
    auto* Edit = static_cast<QPlainTextEdit*>(Widget());
    bool Vertical = FScrollBars == ssVertical || FScrollBars == ssBoth;
    bool Horizontal = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
    Edit->setVerticalScrollBarPolicy(Vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    Edit->setHorizontalScrollBarPolicy(Horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    // A horizontal scroll bar means long lines stay whole.
    Edit->setLineWrapMode(FWordWrap && !Horizontal ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TRichEdit::DefineProperties(TPropertyList& List)
{
    TWinControl::DefineProperties(List);
    const std::vector<const char*> ScrollNames = {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};
    List.Add("Lines", [this](const TStoredValue& V) { Lines()->Assign(StoredStrings(V)); });
    List.Add("ReadOnly", [this](const TStoredValue& V) { SetReadOnly(V.AsBool()); });
    List.Add("ScrollBars", [this, ScrollNames](const TStoredValue& V) { SetScrollBars(V.AsEnumOf<TScrollStyle>(ScrollNames)); });
    List.Add("WordWrap", [this](const TStoredValue& V) { SetWordWrap(V.AsBool()); });
}
