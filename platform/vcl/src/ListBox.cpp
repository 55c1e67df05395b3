#include "vcl/ListBox.h"

#include <QAbstractListModel>
#include <QItemSelectionModel>
#include <QListView>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <algorithm>

#include "CanvasPainting.h"
#include "OwnerDrawDelegate.h"
#include "QtSupport.h"
#include "StoredValues.h"
#include "rtl/Application.h"
#include "rtl/SysUtils.h"

namespace {

const std::vector<const char*> StyleNames = {"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable"};

} // namespace

// The strings, shown through the model.
class TCustomListBox::TModel : public QAbstractListModel {
public:
    int rowCount(const QModelIndex& Parent) const override
    {
        return Parent.isValid() ? 0 : static_cast<int>(Strings.size());
    }
    QVariant data(const QModelIndex& Index, int Role) const override
    {
        if (Role != Qt::DisplayRole || !Index.isValid() || Index.row() >= rowCount({}))
            return {};
        return ToQt(Strings[static_cast<size_t>(Index.row())]);
    }

    void Insert(int Index, const AnsiString& S)
    {
        beginInsertRows({}, Index, Index);
        Strings.insert(Strings.begin() + Index, S);
        endInsertRows();
    }
    void Remove(int Index)
    {
        beginRemoveRows({}, Index, Index);
        Strings.erase(Strings.begin() + Index);
        endRemoveRows();
    }
    void Replace(std::vector<AnsiString> NewStrings)
    {
        beginResetModel();
        Strings = std::move(NewStrings);
        endResetModel();
    }
    void Changed(int Index) { emit dataChanged(index(Index), index(Index), {Qt::DisplayRole}); }
    void Relayout() { emit layoutChanged(); }

    std::vector<AnsiString> Strings;
};

class TCustomListBox::TItems : public TStrings {
public:
    explicit TItems(TCustomListBox* ABox) : Box(ABox) {}

    int Count() const override { return static_cast<int>(Model().Strings.size()); }
    AnsiString Strings(int Index) const override
    {
        CheckIndex(Index, Count() - 1);
        return Model().Strings[static_cast<size_t>(Index)];
    }
    void SetStrings(int Index, const AnsiString& S) override
    {
        CheckIndex(Index, Count() - 1);
        if (Box->FSorted) {
            Delete(Index);
            Insert(Index, S);
            return;
        }
        Model().Strings[static_cast<size_t>(Index)] = S;
        Model().Changed(Index);
        Box->ItemsChanged();
    }
    void Insert(int Index, const AnsiString& S) override
    {
        CheckIndex(Index, Count());
        if (Box->FSorted)
            Index = SortedPlace(S);
        Model().Insert(Index, S);
        Box->ItemsChanged();
    }
    void Delete(int Index) override
    {
        CheckIndex(Index, Count() - 1);
        Model().Remove(Index);
        Box->ItemsChanged();
    }
    void Clear() override
    {
        Model().Replace({});
        Box->ItemsChanged();
    }
    void Assign(const std::vector<AnsiString>& Lines) override
    {
        std::vector<AnsiString> Sorted = Lines;
        if (Box->FSorted)
            SortStrings(Sorted);
        Model().Replace(std::move(Sorted));
        Box->ItemsChanged();
    }

    static void SortStrings(std::vector<AnsiString>& Strings)
    {
        std::stable_sort(Strings.begin(), Strings.end(),
                         [](const AnsiString& A, const AnsiString& B) { return AnsiCompareText(A, B) < 0; });
    }

private:
    TModel& Model() const { return *Box->FModel; }
    int SortedPlace(const AnsiString& S) const
    {
        const auto& All = Model().Strings;
        auto Place = std::upper_bound(All.begin(), All.end(), S, [](const AnsiString& A, const AnsiString& B) {
            return AnsiCompareText(A, B) < 0;
        });
        return static_cast<int>(Place - All.begin());
    }

    TCustomListBox* Box;
};

// The view: a double click on an item is the control's DblClick.
class TCustomListBox::TView : public QListView {
public:
    explicit TView(TCustomListBox* ABox) : Box(ABox) {}

    void Relayout() { scheduleDelayedItemsLayout(); }

protected:
    void mouseDoubleClickEvent(QMouseEvent* Event) override
    {
        QListView::mouseDoubleClickEvent(Event);
        if (Event->button() == Qt::LeftButton && indexAt(Event->position().toPoint()).isValid())
            Box->RunHandler([this] { Box->DblClick(); });
    }
    void keyboardSearch(const QString& Search) override
    {
        if (Box->FAutoComplete)
            QListView::keyboardSearch(Search);
    }

private:
    TCustomListBox* Box;
};

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner, new TView(this)), FModel(std::make_unique<TModel>()), FCanvas(std::make_unique<TControlCanvas>())
{
    FView = static_cast<TView*>(Widget());
    FItems = std::make_unique<TItems>(this);
    FView->setModel(FModel.get());
    FView->setUniformItemSizes(false);
    FView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FView->setItemDelegate(FDelegate = new TOwnerDrawDelegate(
        FView, [this](QPainter& Painter, int Index, const TRect& Rect, TOwnerDrawState State) {
            PaintItem(Painter, Index, Rect, State);
        },
        [this](int Index) { return ItemLayoutHeight(Index); }));
    ApplySelectionMode();
    // A change of the current item by the user's mouse or keys is a click.
    QObject::connect(FView->selectionModel(), &QItemSelectionModel::currentChanged, FView,
                     [this](const QModelIndex&, const QModelIndex&) { UserChose(); });
    ShowColorInTextArea();
    SetBounds(0, 0, 121, 97);
}

TCustomListBox::~TCustomListBox()
{
    // The view goes with the control; it must not outlive the model, nor ask
    // a control that is going to draw.
    FDelegate->Detach();
    FView->setModel(nullptr);
}

TStrings* TCustomListBox::Items() const
{
    return FItems.get();
}

int TCustomListBox::ItemIndex() const
{
    const QModelIndex Current = FView->currentIndex();
    return Current.isValid() ? Current.row() : -1;
}

void TCustomListBox::SetItemIndex(int Value)
{
    FSettingSelection = true;
    QItemSelectionModel* Selection = FView->selectionModel();
    if (Value < 0 || Value >= FItems->Count()) {
        Selection->clear();
    } else {
        const QModelIndex Index = FModel->index(Value);
        Selection->setCurrentIndex(Index, FMultiSelect ? QItemSelectionModel::NoUpdate
                                                       : QItemSelectionModel::ClearAndSelect);
        FView->scrollTo(Index);
    }
    FSettingSelection = false;
}

bool TCustomListBox::Selected(int Index) const
{
    return Index >= 0 && Index < FItems->Count() && FView->selectionModel()->isSelected(FModel->index(Index));
}

void TCustomListBox::SetSelected(int Index, bool Value)
{
    if (Index < 0 || Index >= FItems->Count())
        throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
    FSettingSelection = true;
    QItemSelectionModel::SelectionFlags Flags = Value ? QItemSelectionModel::Select : QItemSelectionModel::Deselect;
    if (Value && !FMultiSelect)
        Flags = QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Current;
    FView->selectionModel()->select(FModel->index(Index), Flags);
    if (Value && !FMultiSelect)
        FView->selectionModel()->setCurrentIndex(FModel->index(Index), QItemSelectionModel::NoUpdate);
    FSettingSelection = false;
}

int TCustomListBox::SelCount() const
{
    return static_cast<int>(FView->selectionModel()->selectedRows().size());
}

void TCustomListBox::SetStyle(TListBoxStyle Value)
{
    FStyle = Value;
    RecreateWnd();
}

void TCustomListBox::SetItemHeight(int Value)
{
    FItemHeight = std::max(1, Value);
    RecreateWnd();
}

void TCustomListBox::SetMultiSelect(bool Value)
{
    FMultiSelect = Value;
    ApplySelectionMode();
}

void TCustomListBox::SetExtendedSelect(bool Value)
{
    FExtendedSelect = Value;
    ApplySelectionMode();
}

void TCustomListBox::ApplySelectionMode()
{
    FView->setSelectionMode(!FMultiSelect    ? QAbstractItemView::SingleSelection
                            : FExtendedSelect ? QAbstractItemView::ExtendedSelection
                                              : QAbstractItemView::MultiSelection);
}

void TCustomListBox::SetSorted(bool Value)
{
    if (FSorted == Value)
        return;
    FSorted = Value;
    if (FSorted)
        FItems->Assign(FItems->ToVector());
}

void TCustomListBox::SetAutoComplete(bool Value)
{
    FAutoComplete = Value;
}

void TCustomListBox::SetIntegralHeight(bool Value)
{
    FIntegralHeight = Value;
    ApplyGeometry();
}

void TCustomListBox::ApplyGeometry()
{
    int Height = TControl::Height();
    if (FIntegralHeight && FStyle != lbOwnerDrawVariable) {
        const int Frame = 2 * FView->frameWidth();
        const int Rows = std::max(1, (Height - Frame) / FItemHeight);
        Height = std::min(Height, Rows * FItemHeight + Frame);
    }
    Widget()->setGeometry(Left(), Top(), Width(), Height);
}

TRect TCustomListBox::ItemRect(int Index) const
{
    if (Index < 0 || Index >= FItems->Count())
        return {};
    const QRect Place = FView->visualRect(FModel->index(Index));
    if (Place.isEmpty())
        return {};
    return ToTRect(QRect(FView->viewport()->mapTo(FView, Place.topLeft()), Place.size()));
}

int TCustomListBox::ItemAtPos(TPoint Pos, bool Existing) const
{
    const QModelIndex Index = FView->indexAt(FView->viewport()->mapFrom(FView, QPoint(Pos.X, Pos.Y)));
    if (Index.isValid())
        return Index.row();
    return Existing ? -1 : FItems->Count();
}

int TCustomListBox::ItemLayoutHeight(int Index)
{
    if (FStyle == lbStandard)
        return std::max(FItemHeight, QFontMetrics(ToQFont(Font())).height());
    int Height = FItemHeight;
    if (FStyle == lbOwnerDrawVariable)
        MeasureItem(Index, Height);
    return Height;
}

void TCustomListBox::PaintItem(QPainter& Painter, int Index, const TRect& Rect, TOwnerDrawState State)
{
    TCanvasPainting Painting(*FCanvas, Painter);
    PrepareItemCanvas(*FCanvas, *this, State);
    if (!Enabled())
        State << odDisabled;
    try {
        DrawItem(Index, Rect, State);
    } catch (...) {
        HandleException(this);
    }
}

void TCustomListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    if (FOnDrawItem && FStyle != lbStandard)
        FOnDrawItem(this, Index, Rect, State);
    else
        DrawPlainItem(*FCanvas, Rect, FItems->Strings(Index));
}

void TCustomListBox::MeasureItem(int Index, int& Height)
{
    if (FOnMeasureItem)
        FOnMeasureItem(this, Index, Height);
}

void TCustomListBox::UserChose()
{
    if (FSettingSelection || Loading())
        return;
    RunHandler([this] { Click(); });
}

void TCustomListBox::Click()
{
    if (FOnClick)
        FOnClick(this);
}

void TCustomListBox::DblClick()
{
    if (FOnDblClick)
        FOnDblClick(this);
}

void TCustomListBox::RecreateWnd()
{
    FModel->Relayout();
    FView->Relayout();
    FView->viewport()->update();
}

void TCustomListBox::DefineProperties(TPropertyList& List)
{
    TWinControl::DefineProperties(List);
    List.Add("AutoComplete", [this](const TStoredValue& V) { SetAutoComplete(V.AsBool()); });
    List.Add("ExtendedSelect", [this](const TStoredValue& V) { SetExtendedSelect(V.AsBool()); });
    List.Add("IntegralHeight", [this](const TStoredValue& V) { SetIntegralHeight(V.AsBool()); });
    List.Add("ItemHeight", [this](const TStoredValue& V) { SetItemHeight(V.AsInt()); });
    List.Add("Items", [this](const TStoredValue& V) { Items()->Assign(StoredStrings(V)); });
    List.Add("MultiSelect", [this](const TStoredValue& V) { SetMultiSelect(V.AsBool()); });
    List.Add("Sorted", [this](const TStoredValue& V) { SetSorted(V.AsBool()); });
    List.Add("Style", [this](const TStoredValue& V) { SetStyle(V.AsEnumOf<TListBoxStyle>(StyleNames)); });
    List.AddEvent<TNotifyEvent>("OnClick", [this](TNotifyEvent E) { SetOnClick(std::move(E)); });
    List.AddEvent<TNotifyEvent>("OnDblClick", [this](TNotifyEvent E) { SetOnDblClick(std::move(E)); });
}
