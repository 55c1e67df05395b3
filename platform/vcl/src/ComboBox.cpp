#include "vcl/ComboBox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProxyStyle>
#include <QSignalBlocker>

#include "QtSupport.h"
#include "StoredValues.h"

namespace {

const std::vector<const char*> StyleNames = {"csDropDown", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"};

// The rows the list shows when the form stores no DropDownCount.
constexpr int DefaultDropDownCount = 8;

// The application's style, except that the list drops down under the box
// and holds DropDownCount rows in every combo box style: some styles (Fusion
// among them) open the list of a box without an edit as a menu over the box
// with every item in it, whatever the box's count of visible items.
class TDropDownStyle : public QProxyStyle {
public:
    int styleHint(StyleHint Hint, const QStyleOption* Option, const QWidget* Widget,
                  QStyleHintReturn* Return) const override
    {
        if (Hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(Hint, Option, Widget, Return);
    }
};

} // namespace

// The items, kept in the toolkit's combo box itself.
class TComboBox::TItems : public TStrings {
public:
    explicit TItems(QComboBox* ABox) : Box(ABox) {}

    int Count() const override { return Box->count(); }
    AnsiString Strings(int Index) const override
    {
        CheckIndex(Index, Count() - 1);
        return FromQt(Box->itemText(Index));
    }
    void SetStrings(int Index, const AnsiString& S) override
    {
        CheckIndex(Index, Count() - 1);
        Box->setItemText(Index, ToQt(S));
    }
    void Insert(int Index, const AnsiString& S) override
    {
        CheckIndex(Index, Count());
        KeepText Keep(Box);
        Box->insertItem(Index, ToQt(S));
    }
    void Delete(int Index) override
    {
        CheckIndex(Index, Count() - 1);
        KeepText Keep(Box);
        Box->removeItem(Index);
    }
    void Clear() override
    {
        // Emptying the list empties the text too.
        KeepText Keep(Box, QString());
        Box->clear();
    }
    void Assign(const std::vector<AnsiString>& Lines) override
    {
        QStringList List;
        List.reserve(static_cast<qsizetype>(Lines.size()));
        for (const AnsiString& Line : Lines)
            List.append(ToQt(Line));
        KeepText Keep(Box);
        Box->clear();
        Box->addItems(List);
    }

private:
    // Changing the items of an editable box must not change its text or
    // choose an item: the toolkit would choose the first item added.
    class KeepText {
    public:
        explicit KeepText(QComboBox* ABox) : KeepText(ABox, ABox->currentText()) {}
        KeepText(QComboBox* ABox, QString AText)
            : Box(ABox), Blocker(ABox), Text(std::move(AText)), Index(ABox->currentIndex()), Empty(ABox->count() == 0)
        {
        }
        ~KeepText()
        {
            if (Empty && Box->currentIndex() >= 0)
                Box->setCurrentIndex(-1);
            else if (Index >= Box->count())
                Box->setCurrentIndex(-1);
            if (Box->isEditable() && Box->currentIndex() < 0)
                Box->setEditText(Text);
        }

    private:
        QComboBox* Box;
        QSignalBlocker Blocker;
        QString Text;
        int Index;
        bool Empty;
    };

    QComboBox* Box;
};

TComboBox::TComboBox(TComponent* AOwner) : TWinControl(AOwner, new QComboBox)
{
    auto* Box = static_cast<QComboBox*>(Widget());
    Box->setEditable(true);
    Box->setInsertPolicy(QComboBox::NoInsert);
    Box->setCompleter(nullptr);
    Box->setMaxVisibleItems(DefaultDropDownCount);
    // The box owns its style.
    auto* Style = new TDropDownStyle;
    Style->setParent(Box);
    Box->setStyle(Style);
    FItems = std::make_unique<TItems>(Box);
    // activated comes from the user's choice only.
    QObject::connect(Box, &QComboBox::activated, Box, [this](int Index) { UserChose(Index); });
    QObject::connect(Box->lineEdit(), &QLineEdit::textEdited, Box, [this](const QString& Text) { UserTyped(FromQt(Text)); });
    ShowColorInTextArea();
    SetBounds(0, 0, 145, 21);
}

TComboBox::~TComboBox() = default;

TStrings* TComboBox::Items() const
{
    return FItems.get();
}

int TComboBox::ItemIndex() const
{
    return static_cast<QComboBox*>(Widget())->currentIndex();
}

void TComboBox::SetItemIndex(int Value)
{
    auto* Box = static_cast<QComboBox*>(Widget());
    QSignalBlocker Blocker(Box);
    if (Value < 0 || Value >= Box->count()) {
        Box->setCurrentIndex(-1);
        if (Box->isEditable())
            Box->setEditText(QString());
        return;
    }
    Box->setCurrentIndex(Value);
}

AnsiString TComboBox::Text() const
{
    return FromQt(static_cast<QComboBox*>(Widget())->currentText());
}

void TComboBox::SetText(const AnsiString& Value)
{
    auto* Box = static_cast<QComboBox*>(Widget());
    QSignalBlocker Blocker(Box);
    int Index = Items()->IndexOf(Value);
    if (Box->isEditable()) {
        // The text stands as set; it chooses the item it equals, if any.
        Box->setCurrentIndex(Index);
        Box->setEditText(ToQt(Value));
    } else if (Index >= 0) {
        Box->setCurrentIndex(Index);
    }
}

void TComboBox::UserTyped(const AnsiString& Text)
{
    auto* Box = static_cast<QComboBox*>(Widget());
    int Index = Items()->IndexOf(Text);
    if (Index != Box->currentIndex()) {
        QSignalBlocker Blocker(Box);
        QLineEdit* Line = Box->lineEdit();
        int Cursor = Line->cursorPosition();
        Box->setCurrentIndex(Index);
        Line->setText(ToQt(Text));
        Line->setCursorPosition(Cursor);
    }
    if (FOnChange && !Loading())
        RunHandler([this] { FOnChange(this); });
}

void TComboBox::UserChose(int)
{
    if (!Loading())
        RunHandler([this] { Click(); });
    if (FOnChange && !Loading())
        RunHandler([this] { FOnChange(this); });
}

void TComboBox::SetStyle(TComboBoxStyle Value)
{
    FStyle = Value;
    auto* Box = static_cast<QComboBox*>(Widget());
    QSignalBlocker Blocker(Box);
    bool Editable = Value == csDropDown;
    if (Box->isEditable() == Editable)
        return;
    int Index = Box->currentIndex();
    Box->setEditable(Editable);
    if (Editable) {
        Box->setInsertPolicy(QComboBox::NoInsert);
        Box->setCompleter(nullptr);
        QObject::connect(Box->lineEdit(), &QLineEdit::textEdited, Box,
                         [this](const QString& Text) { UserTyped(FromQt(Text)); });
    }
    Box->setCurrentIndex(Index);
}

int TComboBox::DropDownCount() const
{
    return static_cast<QComboBox*>(Widget())->maxVisibleItems();
}

void TComboBox::SetDropDownCount(int Value)
{
    static_cast<QComboBox*>(Widget())->setMaxVisibleItems(std::max(1, Value));
}

void TComboBox::DefineProperties(TPropertyList& List)
{
    TWinControl::DefineProperties(List);
    List.Add("Style", [this](const TStoredValue& V) { SetStyle(V.AsEnumOf<TComboBoxStyle>(StyleNames)); });
    List.Add("DropDownCount", [this](const TStoredValue& V) { SetDropDownCount(V.AsInt()); });
    List.Add("Items", [this](const TStoredValue& V) { Items()->Assign(StoredStrings(V)); });
    List.Add("ItemIndex", [this](const TStoredValue& V) { SetItemIndex(V.AsInt()); });
    List.Add("Text", [this](const TStoredValue& V) { SetText(V.AsString()); });
    List.AddEvent<TNotifyEvent>("OnChange", [this](TNotifyEvent E) { SetOnChange(std::move(E)); });
}
