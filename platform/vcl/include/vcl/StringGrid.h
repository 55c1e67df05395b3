#pragma once
// A grid of text cells.
//
// Columns and rows are counted from 0; the first FixedRows rows and
// FixedCols columns (each 0 or 1) are headings that stay in view and cannot
// be selected. The selected cell (Col, Row) is always a cell that is not
// fixed; with goRangeSelect the selection can span a range of cells.
//
// With goEditing the user edits a cell in place by typing into it (or with
// a double click, Enter or F2); Cells follows every key, so a command run
// while a cell is still being edited sees what was typed. Enter or a click
// elsewhere ends the edit, Escape ends it and puts the text back.
//
// Tab and Shift+Tab go to the next and previous cell with goTabs (from the
// end of a row to the start of the next, and back), and to the next and
// previous control without it; either way an edit ends and keeps its text.
//
// A left press selects the cell under the pointer, then OnMouseDown runs; a
// right press does not move the selection. A double click selects its cell
// first, then OnDblClick runs.

#include <memory>
#include <vector>

#include "rtl/Exceptions.h"
#include "vcl/Controls.h"

enum TGridOption {
    goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine,
    goRangeSelect, goDrawFocusSelected, goRowSizing, goColSizing,
    goRowMoving, goColMoving, goEditing, goTabs, goRowSelect,
    goAlwaysShowEditor, goThumbTracking,
};
using TGridOptions = TSet<TGridOption>;

// A range of cells, corners included.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TGridRect&) const = default;
};

// A grid operation that cannot be done: "Grid index out of range", ...
class EInvalidGridOperation : public Exception {
public:
    using Exception::Exception;
};

class TStringGrid : public TWinControl {
public:
    explicit TStringGrid(TComponent* AOwner);
    ~TStringGrid() override;

    // Raise EInvalidGridOperation "Grid index out of range" outside the grid.
    AnsiString Cells(int ACol, int ARow) const;
    void SetCells(int ACol, int ARow, const AnsiString& Value);

    int ColCount() const { return FColCount; }
    void SetColCount(int Value);
    int RowCount() const { return FRowCount; }
    void SetRowCount(int Value);
    // 0 or 1, and less than the column (row) count.
    int FixedCols() const { return FFixedCols; }
    void SetFixedCols(int Value);
    int FixedRows() const { return FFixedRows; }
    void SetFixedRows(int Value);

    int DefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(int Value);
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int Value);
    int ColWidths(int Index) const;
    void SetColWidths(int Index, int Value);
    int RowHeights(int Index) const;
    void SetRowHeights(int Index, int Value);

    // The colour of the fixed (heading) cells; Color is that of the others.
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor Value);

    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions Value);

    // The selected cell; setting one that is fixed or outside the grid
    // raises EInvalidGridOperation. Setting it selects that cell alone.
    int Col() const;
    void SetCol(int Value);
    int Row() const;
    void SetRow(int Value);
    TGridRect Selection() const;
    void SetSelection(const TGridRect& Value);

    // True while a cell is being edited in place.
    bool EditorMode() const;
    void SetEditorMode(bool Value);

    // The cell under a point of the control (-1, -1 when none).
    void MouseToCell(int X, int Y, int& ACol, int& ARow) const;
    // The cell's rectangle in the control's coordinates (empty when the cell
    // is scrolled out of view).
    TRect CellRect(int ACol, int ARow) const;

    const TMouseEvent& OnMouseDown() const { return FOnMouseDown; }
    void SetOnMouseDown(TMouseEvent Value) { FOnMouseDown = std::move(Value); }
    const TNotifyEvent& OnDblClick() const { return FOnDblClick; }
    void SetOnDblClick(TNotifyEvent Value) { FOnDblClick = std::move(Value); }
    const TNotifyEvent& OnClick() const { return FOnClick; }
    void SetOnClick(TNotifyEvent Value) { FOnClick = std::move(Value); }

    void DefineProperties(TPropertyList& List) override;

private:
    class TModel;
    class TView;
    class TDelegate;
    friend class TView;
    void CheckCell(int ACol, int ARow) const;
    void Reshape(int NewCols, int NewRows);
    void SetFixed(int& Fixed, int Value, int Count, const char* What);
    void ApplySizes();
    void ApplyOptions();
    void SelectCell(int ACol, int ARow);
    void ViewMousePressed(TMouseButton Button, TShiftState Shift, int X, int Y);
    void ViewDoubleClicked();
    void ViewClicked();

    int FColCount = 5;
    int FRowCount = 5;
    int FFixedCols = 1;
    int FFixedRows = 1;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    std::vector<int> FColWidths;
    std::vector<int> FRowHeights;
    TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    TColor FFixedColor = clBtnFace;
    std::vector<AnsiString> FCells;
    std::unique_ptr<TModel> FModel;
    TDelegate* FDelegate;
    TView* FView;
    TMouseEvent FOnMouseDown;
    TNotifyEvent FOnDblClick;
    TNotifyEvent FOnClick;
};
