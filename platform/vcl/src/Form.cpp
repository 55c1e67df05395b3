#include "vcl/Form.h"

#include <QCloseEvent>
#include <QShowEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

#include "QtSupport.h"
#include "vcl/Application.h"
#include "vcl/ComponentRegistry.h"
#include "vcl/FormResource.h"
#include "vcl/Menus.h"

namespace {

const std::vector<const char*> PositionNames = {"poDesigned", "poDefault", "poScreenCenter", "poDesktopCenter",
                                                "poMainFormCenter"};

// Runs a reading step and names the resource line of the component in any
// error it raises.
template <class Step>
void AtLine(const TResourceComponent& Node, Step&& Run)
{
    try {
        Run();
    } catch (const Exception& E) {
        AnsiString Message = E.Message;
        if (Message.rfind("Form resource line ", 0) == 0)
            throw;
        throw EReadError("Form resource line " + std::to_string(Node.Line) + " (" + Node.Name + "): " + Message);
    }
}

} // namespace

// The top-level window: tells the form when the user closes it, and keeps
// the form's bounds in step when the desktop or the user moves or resizes it.
class TForm::TWindow : public QWidget {
public:
    explicit TWindow(TForm* AForm) : Form(AForm) {}

protected:
    void closeEvent(QCloseEvent* Event) override
    {
        Event->accept();
        if (Form)
            Form->WindowClosed();
    }
    void showEvent(QShowEvent* Event) override
    {
        QWidget::showEvent(Event);
        if (Form)
            Form->FitToFrame();
    }
    void resizeEvent(QResizeEvent* Event) override
    {
        QWidget::resizeEvent(Event);
        if (Form)
            Form->FollowWindow();
    }
    void moveEvent(QMoveEvent* Event) override
    {
        QWidget::moveEvent(Event);
        if (Form)
            Form->FollowWindow();
    }
    bool event(QEvent* Event) override
    {
        // Some desktops tell the frame of a shown window only after it is
        // drawn, with neither a move nor a resize of the window.
        if (Form && isVisible() && !Form->FFrameKnown)
            Form->FitToFrame();
        return QWidget::event(Event);
    }

public:
    // The toolkit puts a window's frame at its place only when it makes the
    // native window at the first show; one made before that is placed by
    // its own corner.
    void ForgetNativeWindow() { destroy(); }
    // The form is going: the window, which the control deletes after it,
    // tells it nothing more.
    void Detach() { Form = nullptr; }

private:
    TForm* Form;
};

TForm::TForm(TComponent* AOwner, AnsiString Resource)
    : TWinControl(AOwner, new TWindow(this)), FResource(std::move(Resource)), FClient(new QWidget(Widget()))
{
    auto* Layout = new QVBoxLayout(Widget());
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    Layout->addWidget(FClient, 1);
    FVisible = false;
    SetColor(clBtnFace);
    FontChanged();
    // A desktop that tells the frame of a window that exists, shown or not,
    // ties the outer and the client size by it from the start; one that
    // tells it only once it has framed the shown window gets the window made
    // anew at the first show (see PlaceOnFirstShow and FitToFrame).
    Widget()->winId();
    FitToFrame();
    SetBounds(0, 0, 320, 240);
}

TForm::~TForm()
{
    BeforeDestruction();
    // The menu bar belongs to the menu component, not to the window.
    SetMenu(nullptr);
    static_cast<TWindow*>(Widget())->Detach();
}

void TForm::BeforeDestruction()
{
    if (!FCreated || FDestroyHandled)
        return;
    FDestroyHandled = true;
    if (FOnDestroy)
        RunHandler([this] { FOnDestroy(this); });
}

QWidget* TForm::ClientWidget() const
{
    return FClient;
}

void TForm::CaptionChanged()
{
    Widget()->setWindowTitle(ToQt(Caption()));
}

void TForm::ApplyGeometry()
{
    // Width and Height take in the desktop's frame and title; the window
    // itself is what lies inside them. Left and Top are the frame's corner.
    // The window is placed by Position when it is first shown; after that it
    // moves only when they differ from where it is, so that a move of the
    // user's is never taken back.
    ResizeWindow();
    if (FPlaced && Widget()->pos() != QPoint(FLeft, FTop))
        Widget()->move(FLeft, FTop);
    LayOut();
}

void TForm::LayOut()
{
    // A shown window lays out its menu bar and client area when it is
    // resized; a hidden one not until it is shown. It is laid out here, so
    // that ClientWidth and ClientHeight tell the client area before the
    // first show too.
    if (Widget()->isVisible())
        return;
    Widget()->layout()->invalidate();
    Widget()->layout()->activate();
}

void TForm::ResizeWindow()
{
    Widget()->resize(std::max(0, FWidth - FFrameWidth), std::max(0, FHeight - FFrameHeight));
}

void TForm::FitToFrame()
{
    // The desktop's frame as it tells it now (nothing before it tells).
    const QRect Outer = Widget()->frameGeometry();
    const int FrameWidth = Outer.width() - Widget()->width();
    const int FrameHeight = Outer.height() - Widget()->height();
    if (FFrameKnown || (FrameWidth == 0 && FrameHeight == 0)) {
        FFrameWidth = FrameWidth;
        FFrameHeight = FrameHeight;
        return;
    }
    // The first frame told: the window fits itself into the outer size (or
    // keeps the client size written last) once, where it stands. Any later
    // change of the frame (a maximised window's, say) is the desktop's.
    FFrameKnown = true;
    FFrameWidth = FrameWidth;
    FFrameHeight = FrameHeight;
    if (FClientWidthWanted >= 0)
        FWidth = FClientWidthWanted + FFrameWidth;
    if (FClientHeightWanted >= 0)
        FHeight = FClientHeightWanted + MenuHeight() + FFrameHeight;
    ResizeWindow();
    LayOut();
}

void TForm::FollowWindow()
{
    FitToFrame();
    // A hidden window's own moves and resizes are the form's writes, and
    // until the desktop has placed a window it may report where it was.
    if (!Widget()->isVisible() || Widget()->windowState() & Qt::WindowMinimized)
        return;
    const QRect Outer = Widget()->frameGeometry();
    FLeft = Outer.x();
    FTop = Outer.y();
    FWidth = Outer.width();
    FHeight = Outer.height();
}

int TForm::MenuHeight() const
{
    return FMenu ? FMenu->MenuBar()->sizeHint().height() : 0;
}

void TForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    // A new outer size decides over a client size written before it.
    if (AWidth != FWidth)
        FClientWidthWanted = -1;
    if (AHeight != FHeight)
        FClientHeightWanted = -1;
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TForm::SetClientWidth(int Value)
{
    SetWidth(Value + FFrameWidth);
    FClientWidthWanted = Value;
}

void TForm::SetClientHeight(int Value)
{
    SetHeight(Value + MenuHeight() + FFrameHeight);
    FClientHeightWanted = Value;
}

void TForm::SetMenu(TMainMenu* Value)
{
    auto* Layout = static_cast<QVBoxLayout*>(Widget()->layout());
    if (FMenu) {
        Layout->setMenuBar(nullptr);
        FMenu->MenuBar()->hide();
        FMenu->MenuBar()->setParent(nullptr);
    }
    FMenu = Value;
    if (FMenu) {
        Layout->setMenuBar(FMenu->MenuBar());
        FMenu->MenuBar()->show();
        if (FClientHeightWanted >= 0)
            SetClientHeight(FClientHeightWanted);
    }
    LayOut();
}

void TForm::SetVisible(bool Value)
{
    FVisible = Value;
    // While the resource is read the window waits for OnCreate.
    if (Loading() || (!FResourceRead && !FResource.empty()))
        return;
    if (Value) {
        PlaceOnFirstShow();
        Widget()->show();
    } else {
        Widget()->hide();
    }
}

void TForm::PlaceOnFirstShow()
{
    if (FPlaced)
        return;
    FPlaced = true;
    QScreen* Screen = QGuiApplication::primaryScreen();
    QRect Area = Screen ? Screen->availableGeometry() : QRect(0, 0, 1024, 768);
    switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
    case poMainFormCenter:
        FLeft = Area.x() + (Area.width() - FWidth) / 2;
        FTop = Area.y() + (Area.height() - FHeight) / 2;
        break;
    case poDesigned:
    case poDefault:
        break;
    }
    // A desktop that has not told its frame yet puts the frame at Left and
    // Top only when the toolkit makes the native window now, at the show;
    // one that has told it takes the window's corner inside the frame.
    if (!FFrameKnown)
        static_cast<TWindow*>(Widget())->ForgetNativeWindow();
    ResizeWindow();
    // poDefault leaves the place to the desktop.
    if (FPosition != poDefault)
        Widget()->move(FLeft, FTop);
    LayOut();
}

void TForm::Close()
{
    if (Widget()->isVisible())
        Widget()->close();
    else
        WindowClosed();
}

void TForm::WindowClosed()
{
    FVisible = false;
    if (Application->MainForm() == this)
        Application->Terminate();
}

void TForm::ReadFormResource()
{
    if (FResourceRead)
        return;
    if (!FResource.empty())
        BuildComponents();
    else
        Loaded();
    FResourceRead = true;
    FCreated = true;
    if (FOnCreate)
        RunHandler([this] { FOnCreate(this); });
    if (FVisible)
        SetVisible(true);
}

void TForm::BuildComponents()
{
    const TResourceComponent Root = ParseFormResource(FResource);
    std::vector<TComponent*> Created;

    std::function<void(const TResourceComponent&, TComponent*)> Build =
        [&](const TResourceComponent& Node, TComponent* Holder) {
            TComponent* Component = nullptr;
            AtLine(Node, [&] {
                if (Node.Name == Name() || FindComponent(Node.Name))
                    throw EReadError("A component named " + Node.Name + " already exists");
                Component = CreateComponentOfClass(Node.ClassName, this);
                Component->SetName(Node.Name);
                Created.push_back(Component);
                if (auto* Control = dynamic_cast<TControl*>(Component)) {
                    auto* Parent = dynamic_cast<TWinControl*>(Holder);
                    if (!Parent)
                        throw EReadError(Node.ClassName + " cannot be placed in " + Holder->Name());
                    Control->SetParent(Parent);
                } else if (auto* Item = dynamic_cast<TMenuItem*>(Component)) {
                    if (auto* Menu = dynamic_cast<TMainMenu*>(Holder))
                        Menu->Items()->Add(Item);
                    else if (auto* ParentItem = dynamic_cast<TMenuItem*>(Holder))
                        ParentItem->Add(Item);
                    else
                        throw EReadError("A menu item must be placed in a menu or a menu item");
                }
                ReadStoredProperties(*Component, Node.StoredProperties(), &FMethods);
            });
            for (const TResourceComponent& Child : Node.Children)
                Build(Child, Component);
        };

    AtLine(Root, [&] {
        SetName(Root.Name);
        ReadStoredProperties(*this, Root.StoredProperties(), &FMethods);
    });
    for (const TResourceComponent& Child : Root.Children)
        Build(Child, this);

    for (const TFieldBinding& Field : FFields) {
        TComponent* Component = FindComponent(Field.Name);
        if (!Component)
            throw EReadError("Field " + Field.Name + " has no component in the form resource");
        if (!Field.Assign(Component))
            throw EReadError("Field " + Field.Name + " is of another class than its component");
    }

    AtLine(Root, [&] { Loaded(); });
    for (TComponent* Component : Created)
        Component->Loaded();
}

void TForm::Loaded()
{
    TWinControl::Loaded();
    if (!FMenuName.empty()) {
        auto* MainMenu = FindComponentAs<TMainMenu>(FMenuName);
        if (!MainMenu)
            throw EReadError("Menu " + FMenuName + " is not a main menu of the form");
        SetMenu(MainMenu);
    }
}

void TForm::DefineProperties(TPropertyList& List)
{
    TWinControl::DefineProperties(List);
    DefineCaption(List);
    List.Add("ClientWidth", [this](const TStoredValue& V) { SetClientWidth(V.AsInt()); });
    List.Add("ClientHeight", [this](const TStoredValue& V) { SetClientHeight(V.AsInt()); });
    List.Add("Menu", [this](const TStoredValue& V) { FMenuName = V.AsString(); });
    List.Add("Position", [this](const TStoredValue& V) { SetPosition(V.AsEnumOf<TPosition>(PositionNames)); });
    List.AddEvent<TNotifyEvent>("OnCreate", [this](TNotifyEvent E) { SetOnCreate(std::move(E)); });
    List.AddEvent<TNotifyEvent>("OnDestroy", [this](TNotifyEvent E) { SetOnDestroy(std::move(E)); });
}

void TFormDeleter::operator()(TForm* Form) const
{
    if (!Form)
        return;
    Form->BeforeDestruction();
    delete Form;
}
