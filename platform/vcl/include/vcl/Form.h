#pragma once
// Forms: a top-level window built from a form resource.
//
// A program's window derives from TForm, hands its resource to the
// constructor, and in its constructor binds the components it wants typed
// pointers to and the handlers the resource names:
//
//     class TForm1 : public TForm {
//     public:
//         explicit TForm1(TComponent* AOwner) : TForm(AOwner, Form1Resource)
//         {
//             BindField("StringGrid1", StringGrid1);
//             BindMethod("FormCreate", &TForm1::FormCreate);
//             BindMethod("SpeedButton3Click", &TForm1::SpeedButton3Click);
//         }
//         TStringGrid* StringGrid1 = nullptr;
//         void FormCreate(TObject* Sender);
//         void SpeedButton3Click(TObject* Sender);
//     };
//
// The resource is read after the constructor, by Application->CreateForm
// or NewForm: the components are created and their stored properties
// applied (handlers bound by name), then the bound fields are filled, then
// Loaded runs for the form and every component, then OnCreate. A bound field
// whose component is missing or of another class, or a handler name that no
// BindMethod provides, raises EReadError.
//
// Closing the application's main form ends Application->Run. Left, Top,
// Width and Height are the window's outer place and size, the desktop's frame
// and title included, as far as the desktop tells them; the menu bar lies
// inside. ClientWidth and ClientHeight are the area inside the frame below
// the menu bar, where the controls are placed.

#include <memory>
#include <type_traits>

#include "rtl/StoredProperties.h"
#include "vcl/Controls.h"

class TMainMenu;

enum TPosition { poDesigned, poDefault, poScreenCenter, poDesktopCenter, poMainFormCenter };

class TForm : public TWinControl {
public:
    // Resource is the form resource text; empty for a form built in code.
    explicit TForm(TComponent* AOwner, AnsiString Resource = AnsiString());
    ~TForm() override;

    using TControl::Caption;
    using TControl::SetCaption;

    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }

    // Width and Height and ClientWidth and ClientHeight are tied by the
    // frame: the one written last decides, before the show as after it.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetClientWidth(int Value);
    void SetClientHeight(int Value);

    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* Value);

    const TNotifyEvent& OnCreate() const { return FOnCreate; }
    void SetOnCreate(TNotifyEvent Value) { FOnCreate = std::move(Value); }
    const TNotifyEvent& OnDestroy() const { return FOnDestroy; }
    void SetOnDestroy(TNotifyEvent Value) { FOnDestroy = std::move(Value); }

    // Shows the window (placed by Position the first time) or hides it;
    // Close hides it, and closing the main form ends Application->Run.
    void SetVisible(bool Value) override;
    void Close();

    // Builds the components from the resource, then OnCreate (see above).
    // Runs once; CreateForm and NewForm call it.
    void ReadFormResource();

    // Runs OnDestroy, once, for a form whose OnCreate has run. The owner that deletes a form (the application,
    // or TFormPtr) calls it first, while the derived form is still whole.
    void BeforeDestruction();

    // The methods the resource's events are bound to.
    TMethodTable& Methods() { return FMethods; }

    // The owned component of this name if it is a T, else null.
    template <class T>
    T* FindComponentAs(const AnsiString& AName) const { return dynamic_cast<T*>(FindComponent(AName)); }

    QWidget* ClientWidget() const override;
    void DefineProperties(TPropertyList& List) override;
    void Loaded() override;

protected:
    // Fills Field with the component Name once the resource has been read.
    template <class T>
    void BindField(const AnsiString& FieldName, T*& Field);

    // Makes a method of the derived form available to the resource's events
    // under Name; its parameters decide which events it fits.
    template <class F, class... Args>
    void BindMethod(const AnsiString& MethodName, void (F::*Method)(Args...));

    void CaptionChanged() override;
    void ApplyGeometry() override;

private:
    struct TFieldBinding {
        AnsiString Name;
        std::function<bool(TComponent*)> Assign;
    };
    class TWindow;
    friend class TWindow;
    void PlaceOnFirstShow();
    // Sizes the window inside the frame to Width and Height.
    void ResizeWindow();
    // Takes the desktop's frame as it tells it; the first time, fits the
    // window to it.
    void FitToFrame();
    // Takes the window's place and size as the desktop or the user made them.
    void FollowWindow();
    int MenuHeight() const;
    // Lays out the menu bar and client area of the hidden window.
    void LayOut();
    void WindowClosed();
    void BuildComponents();

    AnsiString FResource;
    bool FResourceRead = false;
    bool FCreated = false;
    bool FDestroyHandled = false;
    bool FPlaced = false;
    TPosition FPosition = poDesigned;
    TMainMenu* FMenu = nullptr;
    AnsiString FMenuName;
    // The client size written after the outer size (-1: the outer size
    // decides); kept when the desktop tells another frame.
    int FClientWidthWanted = -1;
    int FClientHeightWanted = -1;
    // The desktop's frame and title around the window, as last seen, and
    // whether the desktop has told one yet.
    bool FFrameKnown = false;
    int FFrameWidth = 0;
    int FFrameHeight = 0;
    TNotifyEvent FOnCreate;
    TNotifyEvent FOnDestroy;
    TMethodTable FMethods;
    std::vector<TFieldBinding> FFields;
    QWidget* FClient;
};

template <class T>
void TForm::BindField(const AnsiString& FieldName, T*& Field)
{
    FFields.push_back({FieldName, [&Field](TComponent* Component) {
        Field = dynamic_cast<T*>(Component);
        return Field != nullptr;
    }});
}

template <class F, class... Args>
void TForm::BindMethod(const AnsiString& MethodName, void (F::*Method)(Args...))
{
    static_assert(std::is_base_of_v<TForm, F>, "BindMethod takes a method of the form");
    F* Self = static_cast<F*>(this);
    FMethods.Add<std::function<void(Args...)>>(MethodName, std::function<void(Args...)>(
        [Self, Method](Args... Arguments) { (Self->*Method)(std::forward<Args>(Arguments)...); }));
}

// Deletes a form the way its owner would: OnDestroy first.
struct TFormDeleter {
    void operator()(TForm* Form) const;
};
template <class F>
using TFormPtr = std::unique_ptr<F, TFormDeleter>;

// A form of class F without an owner, built from its resource (OnCreate has
// run). Arguments go to F's constructor after the owner.
template <class F, class... A>
TFormPtr<F> NewForm(A&&... Arguments)
{
    TFormPtr<F> Form(new F(nullptr, std::forward<A>(Arguments)...));
    Form->ReadFormResource();
    return Form;
}
