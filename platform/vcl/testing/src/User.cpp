#include "vcl/testing/User.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QTest>
#include <QWindow>

#include "QtSupport.h"

namespace {

// The mouse button held down by PressCell, and where.
struct THeldButton {
    QPointer<QWindow> Window;
    QPoint At;
    Qt::MouseButton Button = Qt::NoButton;
} Held;

Qt::MouseButton QtButton(TMouseButton Button)
{
    switch (Button) {
    case mbRight: return Qt::RightButton;
    case mbMiddle: return Qt::MiddleButton;
    default: return Qt::LeftButton;
    }
}

// True when a click at Local (in W's coordinates) would land on W or on a
// widget inside it: W and its window are shown and nothing covers the point.
bool Reachable(QWidget* W, QPoint Local)
{
    if (!W || !W->isVisible() || !W->rect().contains(Local))
        return false;
    QWidget* Top = W->window();
    if (!Top->isVisible() || !Top->windowHandle())
        return false;
    QWidget* Hit = Top->childAt(W->mapTo(Top, Local));
    if (!Hit)
        Hit = Top;
    return Hit == W || W->isAncestorOf(Hit);
}

// Sends the mouse action to the window at the place of Local; true when the
// point was reachable and the widget takes input.
bool MouseAt(QWidget* W, QPoint Local, QTest::MouseAction Action, Qt::MouseButton Button,
             Qt::KeyboardModifiers Modifiers = {})
{
    if (!Reachable(W, Local))
        return false;
    QWidget* Top = W->window();
    QPoint InWindow = W->mapTo(Top, Local);
    switch (Action) {
    case QTest::MouseClick: QTest::mouseClick(Top->windowHandle(), Button, Modifiers, InWindow); break;
    case QTest::MouseDClick: QTest::mouseDClick(Top->windowHandle(), Button, Modifiers, InWindow); break;
    case QTest::MousePress:
        QTest::mousePress(Top->windowHandle(), Button, Modifiers, InWindow);
        Held = {Top->windowHandle(), InWindow, Button};
        break;
    default: break;
    }
    return W->isEnabled();
}

QWidget* FocusIn(QWidget* W)
{
    QWidget* Focus = W->window()->focusWidget();
    return Focus && (Focus == W || W->isAncestorOf(Focus)) ? Focus : nullptr;
}

void KeysTo(QWidget* Top, const QString& Text)
{
    for (QChar C : Text) {
        // Each key goes to the control that has the focus now: the first key
        // typed into a grid cell opens its editor, which takes the rest.
        QWidget* Focus = Top->focusWidget() ? Top->focusWidget() : Top;
        if (C.unicode() < 128) {
            QTest::keyClick(Focus, static_cast<char>(C.unicode()));
            continue;
        }
        // A character beyond ASCII travels as the text of a key event.
        QKeyEvent Press(QEvent::KeyPress, 0, Qt::NoModifier, QString(C));
        QKeyEvent Release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(C));
        QApplication::sendEvent(Focus, &Press);
        QApplication::sendEvent(Focus, &Release);
    }
}

void Key(QWidget* Top, Qt::Key K, Qt::KeyboardModifiers Modifiers = {})
{
    QWidget* Focus = Top->focusWidget() ? Top->focusWidget() : Top;
    QTest::keyClick(Focus, K, Modifiers);
}

bool ClickCenter(QWidget* W)
{
    return MouseAt(W, W->rect().center(), QTest::MouseClick, Qt::LeftButton);
}

} // namespace

void TUser::ShowForm(TForm* Form)
{
    Form->Show();
    QWidget* Top = Form->Widget();
    (void)QTest::qWaitForWindowExposed(Top);
    Top->activateWindow();
    (void)QTest::qWaitForWindowActive(Top, 1000);
    ProcessEvents();
}

namespace {

// Notes the first paint of a window.
class TPaintWatch : public QObject {
public:
    bool Painted = false;
    bool eventFilter(QObject*, QEvent* Event) override
    {
        if (Event->type() == QEvent::Paint)
            Painted = true;
        return false;
    }
};

} // namespace

void TUser::ShowUntilPainted(TForm* Form)
{
    TPaintWatch Watch;
    Form->Widget()->installEventFilter(&Watch);
    Form->Show();
    // The paint of the window paints every control in it before the call
    // that delivered it returns.
    while (!Watch.Painted && Form->Widget()->isVisible())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    Form->Widget()->removeEventFilter(&Watch);
}

void TUser::CloseForm(TForm* Form)
{
    // The desktop asks the window to close, as its close button does.
    if (QWindow* Window = Form->Widget()->windowHandle(); Window && Window->isVisible())
        Window->close();
    ProcessEvents();
}

bool TUser::Click(TControl* Control)
{
    QWidget* W = Control->Widget();
    // A check box or radio button takes clicks on its box and its caption:
    // the user clicks the box.
    bool Reached = qobject_cast<QCheckBox*>(W) || qobject_cast<QRadioButton*>(W)
                       ? MouseAt(W, QPoint(std::min(7, W->width() / 2), W->height() / 2), QTest::MouseClick, Qt::LeftButton)
                       : ClickCenter(W);
    ProcessEvents();
    return Reached;
}

bool TUser::Click(TMenuItem* Item)
{
    std::vector<TMenuItem*> Path;
    for (TMenuItem* Up = Item; Up && Up->ParentItem(); Up = Up->ParentItem())
        Path.insert(Path.begin(), Up);
    TMainMenu* Menu = Item->Menu();
    if (!Menu || Path.empty() || !Menu->MenuBar()->isVisible())
        return false;
    // Along the path: the bar's title opens its menu, each item with items
    // opens its submenu, and the last one is clicked.
    QWidget* Shown = Menu->MenuBar();
    for (size_t i = 0; i < Path.size(); ++i) {
        QAction* Action = Path[i]->Action();
        QRect Place = i == 0 ? Menu->MenuBar()->actionGeometry(Action) : static_cast<QMenu*>(Shown)->actionGeometry(Action);
        if (!Action->isVisible() || !Action->isEnabled() || Place.isEmpty()) {
            if (auto* Popup = qobject_cast<QMenu*>(Shown))
                Popup->close();
            ProcessEvents();
            return false;
        }
        if (!MouseAt(Shown, Place.center(), QTest::MouseClick, Qt::LeftButton))
            return false;
        ProcessEvents();
        if (i + 1 < Path.size()) {
            QMenu* Sub = Action->menu();
            if (!Sub || !Sub->isVisible())
                return false;
            Shown = Sub;
        }
    }
    ProcessEvents();
    return true;
}

bool TUser::ChooseItem(TComboBox* Box, int Index)
{
    auto* Combo = static_cast<QComboBox*>(Box->Widget());
    if (Index < 0 || Index >= Combo->count())
        return false;
    // The arrow at the right end opens the list, also on an editable box.
    QPoint Arrow(Combo->width() - 6, Combo->height() / 2);
    if (!MouseAt(Combo, Arrow, QTest::MouseClick, Qt::LeftButton))
        return false;
    ProcessEvents();
    QAbstractItemView* List = Combo->view();
    if (!List->isVisible())
        return false;
    // Scrolled into view as a user would; the item's row may be wider than
    // the list of a drop-down-list box, so click the part of it that shows.
    List->scrollTo(Combo->model()->index(Index, 0));
    ProcessEvents();
    QRect Place = List->visualRect(Combo->model()->index(Index, 0)).intersected(List->viewport()->rect());
    bool Reached = MouseAt(List->viewport(), Place.center(), QTest::MouseClick, Qt::LeftButton);
    ProcessEvents();
    if (List->isVisible())
        Combo->hidePopup();
    return Reached;
}

bool TUser::ChooseItem(TComboBox* Box, const AnsiString& Text)
{
    int Index = Box->Items()->IndexOf(Text);
    return Index >= 0 && ChooseItem(Box, Index);
}

namespace {

// Clicks into a line of text, selects all of it and types in its place;
// Control is the control that takes the focus for it.
bool ReplaceText(QWidget* Line, QWidget* Control, const AnsiString& Text)
{
    if (!Line || !ClickCenter(Line))
        return false;
    TUser::ProcessEvents();
    if (!FocusIn(Control))
        return false;
    Key(Line->window(), Qt::Key_A, Qt::ControlModifier);
    KeysTo(Line->window(), ToQt(Text));
    TUser::ProcessEvents();
    return true;
}

} // namespace

bool TUser::TypeText(TComboBox* Box, const AnsiString& Text)
{
    return ReplaceText(static_cast<QComboBox*>(Box->Widget())->lineEdit(), Box->Widget(), Text);
}

bool TUser::TypeText(TEdit* Edit, const AnsiString& Text)
{
    return ReplaceText(Edit->Widget(), Edit->Widget(), Text);
}

bool TUser::ChoosePage(TPageControl* Pages, int Index)
{
    QTabBar* Bar = static_cast<QTabWidget*>(Pages->Widget())->tabBar();
    if (Index < 0 || Index >= Bar->count())
        return false;
    // A tab out of view is brought in with the bar's scroll arrows.
    for (int Step = 0; Step < 2 * Bar->count() && !Bar->rect().contains(Bar->tabRect(Index)); ++Step) {
        Qt::ArrowType Towards = Bar->tabRect(Index).left() < 0 ? Qt::LeftArrow : Qt::RightArrow;
        QToolButton* Arrow = nullptr;
        for (QToolButton* Button : Bar->findChildren<QToolButton*>())
            if (Button->arrowType() == Towards && Button->isVisible())
                Arrow = Button;
        if (!Arrow || !ClickCenter(Arrow))
            break;
        ProcessEvents();
    }
    bool Reached = MouseAt(Bar, Bar->tabRect(Index).center(), QTest::MouseClick, Qt::LeftButton);
    ProcessEvents();
    return Reached;
}

namespace {

// The middle of a cell in the grid's coordinates, scrolled into view.
bool CellPoint(TStringGrid* Grid, int ACol, int ARow, QPoint& At)
{
    if (ACol < 0 || ACol >= Grid->ColCount() || ARow < 0 || ARow >= Grid->RowCount())
        return false;
    auto* View = static_cast<QTableView*>(Grid->Widget());
    if (ACol >= Grid->FixedCols() && ARow >= Grid->FixedRows())
        View->scrollTo(View->model()->index(ARow - Grid->FixedRows(), ACol - Grid->FixedCols()));
    TRect Cell = Grid->CellRect(ACol, ARow);
    if (Cell.Width() <= 0 || Cell.Height() <= 0)
        return false;
    At = QPoint((Cell.Left + Cell.Right) / 2, (Cell.Top + Cell.Bottom) / 2);
    return true;
}

} // namespace

bool TUser::ClickCell(TStringGrid* Grid, int ACol, int ARow, TMouseButton Button)
{
    QPoint At;
    if (!CellPoint(Grid, ACol, ARow, At))
        return false;
    bool Reached = MouseAt(Grid->Widget(), At, QTest::MouseClick, QtButton(Button));
    ProcessEvents();
    return Reached;
}

bool TUser::PressCell(TStringGrid* Grid, int ACol, int ARow, TMouseButton Button)
{
    QPoint At;
    if (!CellPoint(Grid, ACol, ARow, At))
        return false;
    bool Reached = MouseAt(Grid->Widget(), At, QTest::MousePress, QtButton(Button));
    ProcessEvents();
    return Reached;
}

void TUser::ReleaseMouse()
{
    if (Held.Window && Held.Button != Qt::NoButton)
        QTest::mouseRelease(Held.Window, Held.Button, {}, Held.At);
    Held = {};
    ProcessEvents();
}

bool TUser::DoubleClickCell(TStringGrid* Grid, int ACol, int ARow)
{
    QPoint At;
    if (!CellPoint(Grid, ACol, ARow, At))
        return false;
    bool Reached = MouseAt(Grid->Widget(), At, QTest::MouseDClick, Qt::LeftButton);
    ProcessEvents();
    return Reached;
}

bool TUser::SelectCells(TStringGrid* Grid, int Col1, int Row1, int Col2, int Row2)
{
    QPoint First, Second;
    if (!CellPoint(Grid, Col1, Row1, First) || !MouseAt(Grid->Widget(), First, QTest::MouseClick, Qt::LeftButton))
        return false;
    ProcessEvents();
    if (!CellPoint(Grid, Col2, Row2, Second))
        return false;
    bool Reached = MouseAt(Grid->Widget(), Second, QTest::MouseClick, Qt::LeftButton, Qt::ShiftModifier);
    ProcessEvents();
    return Reached;
}

bool TUser::TypeIntoCell(TStringGrid* Grid, int ACol, int ARow, const AnsiString& Text, bool Finish)
{
    if (!ClickCell(Grid, ACol, ARow))
        return false;
    if (!FocusIn(Grid->Widget()))
        return false;
    KeysTo(Grid->Widget()->window(), ToQt(Text));
    if (Finish)
        Key(Grid->Widget()->window(), Qt::Key_Return);
    ProcessEvents();
    return true;
}

void TUser::TypeKeys(TForm* Form, const AnsiString& Text)
{
    KeysTo(Form->Widget(), ToQt(Text));
    ProcessEvents();
}

void TUser::PressEnter(TForm* Form)
{
    Key(Form->Widget(), Qt::Key_Return);
    ProcessEvents();
}

void TUser::PressEscape(TForm* Form)
{
    Key(Form->Widget(), Qt::Key_Escape);
    ProcessEvents();
}

void TUser::PressTab(TForm* Form, bool Shifted)
{
    if (Shifted)
        Key(Form->Widget(), Qt::Key_Backtab, Qt::ShiftModifier);
    else
        Key(Form->Widget(), Qt::Key_Tab);
    ProcessEvents();
}

void TUser::ProcessEvents()
{
    Application->ProcessMessages();
}

void TUser::Wait(unsigned Ms)
{
    QTest::qWait(static_cast<int>(Ms));
}
