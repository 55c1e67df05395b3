#include "vcl/StringGrid.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>

#include "QtSupport.h"
#include "StoredValues.h"

namespace {

const std::vector<const char*> OptionNames = {
    "goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine", "goRangeSelect",
    "goDrawFocusSelected", "goRowSizing", "goColSizing", "goRowMoving", "goColMoving",
    "goEditing", "goTabs", "goRowSelect", "goAlwaysShowEditor", "goThumbTracking",
};

[[noreturn]] void OutOfRange()
{
    throw EInvalidGridOperation("Grid index out of range");
}

TShiftState ShiftOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons)
{
    TShiftState Shift;
    if (Modifiers & Qt::ShiftModifier)
        Shift << ssShift;
    if (Modifiers & Qt::AltModifier)
        Shift << ssAlt;
    if (Modifiers & Qt::ControlModifier)
        Shift << ssCtrl;
    if (Buttons & Qt::LeftButton)
        Shift << ssLeft;
    if (Buttons & Qt::RightButton)
        Shift << ssRight;
    if (Buttons & Qt::MiddleButton)
        Shift << ssMiddle;
    return Shift;
}

// 1 for Tab, -1 for Shift+Tab (which the desktop sends as Backtab, or as
// Tab with Shift), 0 for any other key; Tab with Ctrl or Alt is no move.
int TabStep(const QKeyEvent& Event)
{
    if (Event.modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return 0;
    if (Event.key() == Qt::Key_Backtab)
        return -1;
    if (Event.key() == Qt::Key_Tab)
        return Event.modifiers() & Qt::ShiftModifier ? -1 : 1;
    return 0;
}

} // namespace

// The cells that are not fixed; the fixed row and column are the headers.
class TStringGrid::TModel : public QAbstractTableModel {
public:
    explicit TModel(TStringGrid* AGrid) : Grid(AGrid) {}

    int rowCount(const QModelIndex& Parent) const override
    {
        return Parent.isValid() ? 0 : Grid->FRowCount - Grid->FFixedRows;
    }
    int columnCount(const QModelIndex& Parent) const override
    {
        return Parent.isValid() ? 0 : Grid->FColCount - Grid->FFixedCols;
    }
    QVariant data(const QModelIndex& Index, int Role) const override
    {
        if (Role != Qt::DisplayRole && Role != Qt::EditRole)
            return {};
        return ToQt(Grid->Cells(Index.column() + Grid->FFixedCols, Index.row() + Grid->FFixedRows));
    }
    bool setData(const QModelIndex& Index, const QVariant& Value, int Role) override
    {
        if (Role != Qt::EditRole)
            return false;
        Grid->SetCells(Index.column() + Grid->FFixedCols, Index.row() + Grid->FFixedRows, FromQt(Value.toString()));
        return true;
    }
    QVariant headerData(int Section, Qt::Orientation Orientation, int Role) const override
    {
        if (Role != Qt::DisplayRole)
            return {};
        if (Orientation == Qt::Horizontal)
            return Grid->FFixedRows ? ToQt(Grid->Cells(Section + Grid->FFixedCols, 0)) : QVariant();
        return Grid->FFixedCols ? ToQt(Grid->Cells(0, Section + Grid->FFixedRows)) : QVariant();
    }
    Qt::ItemFlags flags(const QModelIndex& Index) const override
    {
        if (!Index.isValid())
            return Qt::NoItemFlags;
        Qt::ItemFlags Flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (Grid->FOptions.Contains(goEditing))
            Flags |= Qt::ItemIsEditable;
        return Flags;
    }

    void CellChanged(int ACol, int ARow)
    {
        int Col = ACol - Grid->FFixedCols;
        int Row = ARow - Grid->FFixedRows;
        if (Row < 0 && Col >= 0)
            emit headerDataChanged(Qt::Horizontal, Col, Col);
        else if (Col < 0 && Row >= 0)
            emit headerDataChanged(Qt::Vertical, Row, Row);
        else if (Row >= 0 && Col >= 0)
            emit dataChanged(index(Row, Col), index(Row, Col), {Qt::DisplayRole, Qt::EditRole});
    }
    void Reset(const std::function<void()>& Change)
    {
        beginResetModel();
        Change();
        endResetModel();
    }

private:
    TStringGrid* Grid;
};

// The in-place editor writes each key into the cell; Escape puts the text
// from before the edit back.
class TStringGrid::TDelegate : public QStyledItemDelegate {
public:
    explicit TDelegate(QObject* Parent) : QStyledItemDelegate(Parent) {}

    QWidget* createEditor(QWidget* Parent, const QStyleOptionViewItem&, const QModelIndex& Index) const override
    {
        auto* Line = new QLineEdit(Parent);
        Line->setFrame(false);
        QPersistentModelIndex Cell(Index);
        QObject::connect(Line, &QLineEdit::textEdited, Line, [Cell](const QString& Text) {
            if (Cell.isValid())
                const_cast<QAbstractItemModel*>(Cell.model())->setData(Cell, Text, Qt::EditRole);
        });
        auto* Self = const_cast<TDelegate*>(this);
        Self->Editor = Line;
        Self->Original = Index.data(Qt::EditRole).toString();
        Self->EditedCell = Cell;
        return Line;
    }
    void setEditorData(QWidget* Editor, const QModelIndex& Index) const override
    {
        static_cast<QLineEdit*>(Editor)->setText(Index.data(Qt::EditRole).toString());
    }
    void setModelData(QWidget* Editor, QAbstractItemModel* Model, const QModelIndex& Index) const override
    {
        Model->setData(Index, static_cast<QLineEdit*>(Editor)->text(), Qt::EditRole);
    }

    QPointer<QLineEdit> Editor;

protected:
    bool eventFilter(QObject* Object, QEvent* Event) override;

private:
    QString Original;
    QPersistentModelIndex EditedCell;
};

// The grid's view: a right press leaves the selection alone, a double click
// selects its cell before OnDblClick.
class TStringGrid::TView : public QTableView {
public:
    explicit TView(TStringGrid* AGrid) : Grid(AGrid) {}

    void EndEdit(bool Commit)
    {
        QLineEdit* Editor = Grid->FDelegate->Editor;
        if (!Editor || state() != EditingState)
            return;
        if (Commit)
            commitData(Editor);
        closeEditor(Editor, QAbstractItemDelegate::NoHint);
    }

    bool Editing() const { return state() == EditingState; }

    // Tab (Forward) or Shift+Tab, in the grid or in its editor. With goTabs
    // the next or previous cell, wrapping round to the next or previous
    // row; without it the next or previous control in the tab order. An
    // edit ends either way and what was typed stays in its cell.
    void Tab(bool Forward)
    {
        EndEdit(true);
        if (!Grid->FOptions.Contains(goTabs)) {
            QWidget::focusNextPrevChild(Forward);   // not the view's own cell moves
            return;
        }
        const int Left = Grid->FFixedCols, Right = Grid->FColCount - 1;
        const int Top = Grid->FFixedRows, Bottom = Grid->FRowCount - 1;
        int C = Grid->Col(), R = Grid->Row();
        if (Forward && ++C > Right) {
            C = Left;
            R = R == Bottom ? Top : R + 1;
        } else if (!Forward && --C < Left) {
            C = Right;
            R = R == Top ? Bottom : R - 1;
        }
        Grid->SelectCell(C, R);
    }

    QPoint ToControl(const QPoint& ViewportPoint) const { return viewport()->mapTo(this, ViewportPoint); }

protected:
    // Tab and Shift+Tab are taken before the toolkit turns them into a
    // focus move or the view's own move to the next cell.
    bool event(QEvent* Event) override
    {
        if (Event->type() == QEvent::KeyPress) {
            if (const int Step = TabStep(*static_cast<QKeyEvent*>(Event))) {
                Tab(Step > 0);
                return true;
            }
        }
        return QTableView::event(Event);
    }

    void mousePressEvent(QMouseEvent* Event) override
    {
        TMouseButton Button = Event->button() == Qt::RightButton ? mbRight
                              : Event->button() == Qt::MiddleButton ? mbMiddle : mbLeft;
        if (Button == mbLeft)
            QTableView::mousePressEvent(Event);
        else
            setFocus(Qt::MouseFocusReason);
        QPoint At = ToControl(Event->position().toPoint());
        Grid->ViewMousePressed(Button, ShiftOf(Event->modifiers(), Event->buttons()), At.x(), At.y());
    }

    void mouseReleaseEvent(QMouseEvent* Event) override
    {
        QTableView::mouseReleaseEvent(Event);
        if (Event->button() == Qt::LeftButton && indexAt(Event->position().toPoint()).isValid())
            Grid->ViewClicked();
    }

    void mouseDoubleClickEvent(QMouseEvent* Event) override
    {
        if (Event->button() != Qt::LeftButton) {
            QTableView::mouseDoubleClickEvent(Event);
            return;
        }
        QModelIndex Cell = indexAt(Event->position().toPoint());
        if (Cell.isValid() && Cell != currentIndex())
            selectionModel()->setCurrentIndex(Cell, QItemSelectionModel::ClearAndSelect);
        QTableView::mouseDoubleClickEvent(Event);
        Grid->ViewDoubleClicked();
    }

private:
    TStringGrid* Grid;
};

bool TStringGrid::TDelegate::eventFilter(QObject* Object, QEvent* Event)
{
    if (Event->type() == QEvent::KeyPress) {
        // Tab and Shift+Tab in the editor do what they do in the grid.
        if (const int Step = TabStep(*static_cast<QKeyEvent*>(Event))) {
            static_cast<TView*>(parent())->Tab(Step > 0);
            return true;
        }
        if (static_cast<QKeyEvent*>(Event)->key() == Qt::Key_Escape && EditedCell.isValid()) {
            const_cast<QAbstractItemModel*>(EditedCell.model())->setData(EditedCell, Original, Qt::EditRole);
            if (Editor)
                Editor->setText(Original);
        }
    }
    return QStyledItemDelegate::eventFilter(Object, Event);
}

TStringGrid::TStringGrid(TComponent* AOwner) : TWinControl(AOwner, new TView(this))
{
    FView = static_cast<TView*>(Widget());
    FModel = std::make_unique<TModel>(this);
    FDelegate = new TDelegate(FView);
    FCells.resize(static_cast<size_t>(FColCount * FRowCount));
    FView->setItemDelegate(FDelegate);
    FView->setModel(FModel.get());
    FView->setWordWrap(false);
    FView->setCornerButtonEnabled(false);
    for (QHeaderView* Header : {FView->horizontalHeader(), FView->verticalHeader()}) {
        Header->setMinimumSectionSize(0);
        Header->setSectionsClickable(false);
        Header->setHighlightSections(false);
        Header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    ApplyOptions();
    ApplySizes();
    SelectCell(FFixedCols, FFixedRows);
    ShowColorInTextArea();
    SetFixedColor(FFixedColor);
    SetBounds(0, 0, 320, 120);
}

TStringGrid::~TStringGrid()
{
    // The view goes with the control's widget; it must not keep the model.
    FView->setModel(nullptr);
}

void TStringGrid::CheckCell(int ACol, int ARow) const
{
    if (ACol < 0 || ACol >= FColCount || ARow < 0 || ARow >= FRowCount)
        OutOfRange();
}

AnsiString TStringGrid::Cells(int ACol, int ARow) const
{
    CheckCell(ACol, ARow);
    return FCells[static_cast<size_t>(ARow * FColCount + ACol)];
}

void TStringGrid::SetCells(int ACol, int ARow, const AnsiString& Value)
{
    CheckCell(ACol, ARow);
    AnsiString& Cell = FCells[static_cast<size_t>(ARow * FColCount + ACol)];
    if (Cell == Value)
        return;
    Cell = Value;
    FModel->CellChanged(ACol, ARow);
}

void TStringGrid::Reshape(int NewCols, int NewRows)
{
    FView->EndEdit(true);
    int OldCol = Col(), OldRow = Row();
    FModel->Reset([&] {
        std::vector<AnsiString> Cells(static_cast<size_t>(NewCols * NewRows));
        for (int R = 0; R < std::min(NewRows, FRowCount); ++R)
            for (int C = 0; C < std::min(NewCols, FColCount); ++C)
                Cells[static_cast<size_t>(R * NewCols + C)] = std::move(FCells[static_cast<size_t>(R * FColCount + C)]);
        FCells = std::move(Cells);
        FColCount = NewCols;
        FRowCount = NewRows;
        FColWidths.resize(static_cast<size_t>(NewCols), FDefaultColWidth);
        FRowHeights.resize(static_cast<size_t>(NewRows), FDefaultRowHeight);
    });
    ApplySizes();
    SelectCell(std::clamp(OldCol, FFixedCols, FColCount - 1), std::clamp(OldRow, FFixedRows, FRowCount - 1));
}

void TStringGrid::SetColCount(int Value)
{
    if (Value <= FFixedCols)
        throw EInvalidGridOperation("Fixed column count must be less than column count");
    if (Value != FColCount)
        Reshape(Value, FRowCount);
}

void TStringGrid::SetRowCount(int Value)
{
    if (Value <= FFixedRows)
        throw EInvalidGridOperation("Fixed row count must be less than row count");
    if (Value != FRowCount)
        Reshape(FColCount, Value);
}

void TStringGrid::SetFixedCols(int Value)
{
    SetFixed(FFixedCols, Value, FColCount, "column");
}

void TStringGrid::SetFixedRows(int Value)
{
    SetFixed(FFixedRows, Value, FRowCount, "row");
}

void TStringGrid::SetFixed(int& Fixed, int Value, int Count, const char* What)
{
    if (Value < 0 || Value > 1)
        throw EInvalidGridOperation("Fixed " + AnsiString(What) + " count must be 0 or 1");
    if (Value >= Count)
        throw EInvalidGridOperation("Fixed " + AnsiString(What) + " count must be less than " + What + " count");
    if (Value == Fixed)
        return;
    FView->EndEdit(true);
    FModel->Reset([&] { Fixed = Value; });
    ApplySizes();
    SelectCell(FFixedCols, FFixedRows);
}

void TStringGrid::SetDefaultColWidth(int Value)
{
    FDefaultColWidth = std::max(0, Value);
    FColWidths.assign(static_cast<size_t>(FColCount), FDefaultColWidth);
    ApplySizes();
}

void TStringGrid::SetDefaultRowHeight(int Value)
{
    FDefaultRowHeight = std::max(0, Value);
    FRowHeights.assign(static_cast<size_t>(FRowCount), FDefaultRowHeight);
    ApplySizes();
}

int TStringGrid::ColWidths(int Index) const
{
    if (Index < 0 || Index >= FColCount)
        OutOfRange();
    return Index < static_cast<int>(FColWidths.size()) ? FColWidths[static_cast<size_t>(Index)] : FDefaultColWidth;
}

void TStringGrid::SetColWidths(int Index, int Value)
{
    if (Index < 0 || Index >= FColCount)
        OutOfRange();
    FColWidths.resize(static_cast<size_t>(FColCount), FDefaultColWidth);
    FColWidths[static_cast<size_t>(Index)] = std::max(0, Value);
    ApplySizes();
}

int TStringGrid::RowHeights(int Index) const
{
    if (Index < 0 || Index >= FRowCount)
        OutOfRange();
    return Index < static_cast<int>(FRowHeights.size()) ? FRowHeights[static_cast<size_t>(Index)] : FDefaultRowHeight;
}

void TStringGrid::SetRowHeights(int Index, int Value)
{
    if (Index < 0 || Index >= FRowCount)
        OutOfRange();
    FRowHeights.resize(static_cast<size_t>(FRowCount), FDefaultRowHeight);
    FRowHeights[static_cast<size_t>(Index)] = std::max(0, Value);
    ApplySizes();
}

void TStringGrid::ApplySizes()
{
    // A section holds its cell and the grid line after it.
    int Line = (FOptions.Contains(goVertLine) || FOptions.Contains(goHorzLine)) ? 1 : 0;
    QHeaderView* Top = FView->horizontalHeader();
    QHeaderView* Side = FView->verticalHeader();
    Top->setVisible(FFixedRows == 1);
    Side->setVisible(FFixedCols == 1);
    Side->setDefaultSectionSize(FDefaultRowHeight + Line);
    Top->setDefaultSectionSize(FDefaultColWidth + Line);
    for (int C = FFixedCols; C < FColCount; ++C)
        Top->resizeSection(C - FFixedCols, ColWidths(C) + Line);
    for (int R = FFixedRows; R < FRowCount; ++R)
        if (RowHeights(R) != FDefaultRowHeight)
            Side->resizeSection(R - FFixedRows, RowHeights(R) + Line);
    if (FFixedRows)
        Top->setFixedHeight(RowHeights(0) + Line);
    if (FFixedCols)
        Side->setFixedWidth(ColWidths(0) + Line);
}

void TStringGrid::SetFixedColor(TColor Value)
{
    FFixedColor = Value;
    // The fixed row and column are the view's headers, drawn as buttons.
    for (QHeaderView* Header : {FView->horizontalHeader(), FView->verticalHeader()}) {
        QPalette Palette = Header->palette();
        const QColor Face = ToQColor(Value, QApplication::palette(Header));
        Palette.setColor(QPalette::Button, Face);
        Palette.setColor(QPalette::Window, Face);
        Header->setPalette(Palette);
    }
}

void TStringGrid::SetOptions(TGridOptions Value)
{
    FOptions = Value;
    ApplyOptions();
    ApplySizes();
}

void TStringGrid::ApplyOptions()
{
    FView->setShowGrid(FOptions.Contains(goVertLine) || FOptions.Contains(goHorzLine));
    FView->setSelectionBehavior(FOptions.Contains(goRowSelect) ? QAbstractItemView::SelectRows
                                                               : QAbstractItemView::SelectItems);
    FView->setSelectionMode(FOptions.Contains(goRangeSelect) ? QAbstractItemView::ContiguousSelection
                                                             : QAbstractItemView::SingleSelection);
    FView->setEditTriggers(FOptions.Contains(goEditing)
                               ? QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                                     QAbstractItemView::DoubleClicked
                               : QAbstractItemView::NoEditTriggers);
    FView->setTabKeyNavigation(FOptions.Contains(goTabs));
    QHeaderView::ResizeMode ColMode = FOptions.Contains(goColSizing) ? QHeaderView::Interactive : QHeaderView::Fixed;
    QHeaderView::ResizeMode RowMode = FOptions.Contains(goRowSizing) ? QHeaderView::Interactive : QHeaderView::Fixed;
    FView->horizontalHeader()->setSectionResizeMode(ColMode);
    FView->verticalHeader()->setSectionResizeMode(RowMode);
}

void TStringGrid::SelectCell(int ACol, int ARow)
{
    QModelIndex Cell = FModel->index(ARow - FFixedRows, ACol - FFixedCols);
    if (Cell.isValid())
        FView->selectionModel()->setCurrentIndex(Cell, QItemSelectionModel::ClearAndSelect);
}

int TStringGrid::Col() const
{
    QModelIndex Current = FView->currentIndex();
    return Current.isValid() ? Current.column() + FFixedCols : FFixedCols;
}

int TStringGrid::Row() const
{
    QModelIndex Current = FView->currentIndex();
    return Current.isValid() ? Current.row() + FFixedRows : FFixedRows;
}

void TStringGrid::SetCol(int Value)
{
    if (Value < FFixedCols || Value >= FColCount)
        OutOfRange();
    FView->EndEdit(true);
    SelectCell(Value, Row());
}

void TStringGrid::SetRow(int Value)
{
    if (Value < FFixedRows || Value >= FRowCount)
        OutOfRange();
    FView->EndEdit(true);
    SelectCell(Col(), Value);
}

TGridRect TStringGrid::Selection() const
{
    QModelIndexList Selected = FView->selectionModel()->selectedIndexes();
    if (Selected.isEmpty())
        return {Col(), Row(), Col(), Row()};
    TGridRect Rect{FColCount, FRowCount, -1, -1};
    for (const QModelIndex& Cell : Selected) {
        Rect.Left = std::min(Rect.Left, Cell.column() + FFixedCols);
        Rect.Right = std::max(Rect.Right, Cell.column() + FFixedCols);
        Rect.Top = std::min(Rect.Top, Cell.row() + FFixedRows);
        Rect.Bottom = std::max(Rect.Bottom, Cell.row() + FFixedRows);
    }
    return Rect;
}

void TStringGrid::SetSelection(const TGridRect& Value)
{
    TGridRect R{std::min(Value.Left, Value.Right), std::min(Value.Top, Value.Bottom), std::max(Value.Left, Value.Right),
                std::max(Value.Top, Value.Bottom)};
    if (R.Left < FFixedCols || R.Right >= FColCount || R.Top < FFixedRows || R.Bottom >= FRowCount)
        OutOfRange();
    FView->EndEdit(true);
    SelectCell(R.Left, R.Top);
    QItemSelection Range(FModel->index(R.Top - FFixedRows, R.Left - FFixedCols),
                         FModel->index(R.Bottom - FFixedRows, R.Right - FFixedCols));
    FView->selectionModel()->select(Range, QItemSelectionModel::ClearAndSelect);
}

bool TStringGrid::EditorMode() const
{
    return FView->Editing();
}

void TStringGrid::SetEditorMode(bool Value)
{
    if (Value) {
        if (FOptions.Contains(goEditing) && !EditorMode())
            FView->edit(FView->currentIndex());
    } else {
        FView->EndEdit(true);
    }
}

void TStringGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const
{
    ACol = ARow = -1;
    QPoint At(X, Y);
    QHeaderView* Top = FView->horizontalHeader();
    QHeaderView* Side = FView->verticalHeader();
    QRect Viewport = FView->viewport()->geometry();
    int C = -1, R = -1;
    if (At.x() >= Viewport.left())
        C = Top->logicalIndexAt(At.x() - Viewport.left());
    else if (FFixedCols && At.x() >= Side->geometry().left())
        C = -1 - 1;    // the fixed column
    if (At.y() >= Viewport.top())
        R = Side->logicalIndexAt(At.y() - Viewport.top());
    else if (FFixedRows && At.y() >= Top->geometry().top())
        R = -1 - 1;    // the fixed row
    if (C == -1 || R == -1)
        return;
    ACol = C == -2 ? 0 : C + FFixedCols;
    ARow = R == -2 ? 0 : R + FFixedRows;
}

TRect TStringGrid::CellRect(int ACol, int ARow) const
{
    CheckCell(ACol, ARow);
    QHeaderView* Top = FView->horizontalHeader();
    QHeaderView* Side = FView->verticalHeader();
    QRect Viewport = FView->viewport()->geometry();
    int X, W, Y, H;
    if (ACol < FFixedCols) {
        X = Side->geometry().left();
        W = Side->width();
    } else {
        X = Viewport.left() + Top->sectionViewportPosition(ACol - FFixedCols);
        W = Top->sectionSize(ACol - FFixedCols);
    }
    if (ARow < FFixedRows) {
        Y = Top->geometry().top();
        H = Top->height();
    } else {
        Y = Viewport.top() + Side->sectionViewportPosition(ARow - FFixedRows);
        H = Side->sectionSize(ARow - FFixedRows);
    }
    QRect Cell(X, Y, W, H);
    QRect Visible = Cell.intersected(ACol < FFixedCols || ARow < FFixedRows ? FView->rect() : Viewport);
    if (Visible.isEmpty())
        return {};
    return {Visible.left(), Visible.top(), Visible.left() + Visible.width(), Visible.top() + Visible.height()};
}

void TStringGrid::ViewMousePressed(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FOnMouseDown && !Loading())
        RunHandler([&] { FOnMouseDown(this, Button, Shift, X, Y); });
}

void TStringGrid::ViewDoubleClicked()
{
    if (FOnDblClick && !Loading())
        RunHandler([this] { FOnDblClick(this); });
}

void TStringGrid::ViewClicked()
{
    if (FOnClick && !Loading())
        RunHandler([this] { FOnClick(this); });
}

void TStringGrid::DefineProperties(TPropertyList& List)
{
    TWinControl::DefineProperties(List);
    // Counts before sizes, sizes before the lists of widths and heights.
    List.Add("ColCount", [this](const TStoredValue& V) { SetColCount(V.AsInt()); });
    List.Add("RowCount", [this](const TStoredValue& V) { SetRowCount(V.AsInt()); });
    List.Add("DefaultColWidth", [this](const TStoredValue& V) { SetDefaultColWidth(V.AsInt()); });
    List.Add("DefaultRowHeight", [this](const TStoredValue& V) { SetDefaultRowHeight(V.AsInt()); });
    List.Add("FixedCols", [this](const TStoredValue& V) { SetFixedCols(V.AsInt()); });
    List.Add("FixedRows", [this](const TStoredValue& V) { SetFixedRows(V.AsInt()); });
    List.Add("FixedColor", [this](const TStoredValue& V) { SetFixedColor(StringToColor(V.Text)); });
    List.Add("Options", [this](const TStoredValue& V) { SetOptions(StoredSet<TGridOption>(V, OptionNames)); });
    List.Add("ColWidths", [this](const TStoredValue& V) {
        std::vector<int> Widths = StoredIntegers(V);
        if (static_cast<int>(Widths.size()) > FColCount)
            throw EReadError("ColWidths has more entries than the grid has columns");
        for (size_t i = 0; i < Widths.size(); ++i)
            SetColWidths(static_cast<int>(i), Widths[i]);
    });
    List.Add("RowHeights", [this](const TStoredValue& V) {
        std::vector<int> Heights = StoredIntegers(V);
        if (static_cast<int>(Heights.size()) > FRowCount)
            throw EReadError("RowHeights has more entries than the grid has rows");
        for (size_t i = 0; i < Heights.size(); ++i)
            SetRowHeights(static_cast<int>(i), Heights[i]);
    });
    List.AddEvent<TNotifyEvent>("OnClick", [this](TNotifyEvent E) { SetOnClick(std::move(E)); });
    List.AddEvent<TNotifyEvent>("OnDblClick", [this](TNotifyEvent E) { SetOnDblClick(std::move(E)); });
    List.AddEvent<TMouseEvent>("OnMouseDown", [this](TMouseEvent E) { SetOnMouseDown(std::move(E)); });
}
