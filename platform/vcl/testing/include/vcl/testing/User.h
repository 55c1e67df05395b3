#pragma once
// Drives the windows the way a user does: every action is mouse or keyboard
// input sent to the form's window at the place of the control, so it goes
// through the same code as real input. A control that is hidden, covered by
// another one, disabled, or in a form that is not shown takes nothing, just
// as it would for a user; the functions return false then (and true when the
// input reached the control).
//
// Handlers run inside these calls; message boxes and file dialogs they open
// are answered by the installed TTestResponder.

#include "vcl/Vcl.h"

class TUser {
public:
    // Shows the form and waits until its window is up.
    static void ShowForm(TForm* Form);
    // Shows the form and runs the window events until its first frame has
    // been painted (what a start-up benchmark waits for).
    static void ShowUntilPainted(TForm* Form);
    // Closes the form's window as its close button does.
    static void CloseForm(TForm* Form);

    // A left click in the middle of the control (a button, a check box, a
    // radio button, a combo box, a tab sheet's tab is ChoosePage).
    static bool Click(TControl* Control);
    // Opens the menus down to the item and clicks it.
    static bool Click(TMenuItem* Item);

    // Opens the combo box's list and clicks the item.
    static bool ChooseItem(TComboBox* Box, int Index);
    static bool ChooseItem(TComboBox* Box, const AnsiString& Text);
    // Clicks into the box's text, selects all of it and types Text in its
    // place (combo boxes of style csDropDown, edits).
    static bool TypeText(TComboBox* Box, const AnsiString& Text);
    static bool TypeText(TEdit* Edit, const AnsiString& Text);

    // Clicks the tab of a page.
    static bool ChoosePage(TPageControl* Pages, int Index);

    // Presses and releases a mouse button over a cell (scrolling it into
    // view first, as a user would with the scroll bar).
    static bool ClickCell(TStringGrid* Grid, int ACol, int ARow, TMouseButton Button = mbLeft);
    // Presses a mouse button over a cell and keeps it down; ReleaseMouse
    // lets it go.
    static bool PressCell(TStringGrid* Grid, int ACol, int ARow, TMouseButton Button = mbLeft);
    static void ReleaseMouse();
    static bool DoubleClickCell(TStringGrid* Grid, int ACol, int ARow);
    // Clicks the first cell and shift-clicks the second.
    static bool SelectCells(TStringGrid* Grid, int Col1, int Row1, int Col2, int Row2);
    // Clicks the cell, types Text (which starts the in-place edit) and, when
    // Finish is true, presses Enter.
    static bool TypeIntoCell(TStringGrid* Grid, int ACol, int ARow, const AnsiString& Text, bool Finish = true);

    // Keys to the window's focused control.
    static void TypeKeys(TForm* Form, const AnsiString& Text);
    static void PressEnter(TForm* Form);
    static void PressEscape(TForm* Form);
    // Tab, or Shift+Tab (which the desktop sends as Backtab) when Shifted.
    static void PressTab(TForm* Form, bool Shifted = false);

    // Runs the pending window events, posted calls and timers that are due.
    static void ProcessEvents();
    // Runs the loop for Ms milliseconds of real time (timers fire).
    static void Wait(unsigned Ms);
};
