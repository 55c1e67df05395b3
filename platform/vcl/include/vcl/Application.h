#pragma once
// The application object: the window toolkit's start, the main form, the
// loop, message boxes and the display of exceptions.
//
//     int main()
//     {
//         try {
//             Application->Initialize();
//             Application->CreateForm(Form1);
//             Application->Run();
//         } catch (...) {
//             const Exception Escaped = AsException(std::current_exception());
//             Application->ShowException(&Escaped);
//         }
//         return 0;
//     }
//
// Initialize starts the window toolkit (when nothing has started it yet,
// with the runtime folder of UsePrivateRuntimeFolder in GraphicalSession.h;
// where no window platform can start, it says what could not be opened and
// ends the program with status 1),
// installs its loop as the main loop, shows every message box of the system
// as a real dialog (from any thread: a box asked for on another thread is
// shown on the main thread while the caller waits), and shows an exception
// that escapes a handler in an error box while the loop goes on. Run shows
// the main form, runs the loop until the main form closes or Terminate, then
// destroys the forms (OnDestroy first).

#include <exception>
#include <functional>
#include <memory>

#include "rtl/MessageBox.h"
#include "vcl/Form.h"

class QDialog;
class TQtLoop;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    void Initialize();
    bool Initialized() const { return FInitialized; }

    // Creates a form of class F owned by the application and built from its
    // resource; the first one becomes the main form. On an exception the
    // form is destroyed and Reference stays null.
    template <class F>
    void CreateForm(F*& Reference);

    void Run();
    // Ends Run once the handler now running returns.
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Runs the pending window events and posted calls, then returns.
    void ProcessMessages();

    TForm* MainForm() const { return FMainForm; }

    // The caption of message boxes and of the exception display: the
    // program's file name unless set.
    const AnsiString& Title() const;
    void SetTitle(const AnsiString& Value);

    // A message box (MB_OK, MB_YESNO, ... with an icon); returns IDOK,
    // IDYES, IDNO or IDCANCEL.
    int MessageBox(const AnsiString& Text, const AnsiString& Caption, unsigned Flags = MB_OK);

    // An error box with the exception's message, captioned with Title.
    void ShowException(const std::exception& E);
    void ShowException(const Exception* E);
    // Call inside a catch block: shows the exception being handled.
    void HandleException(TObject* Sender);

    // Every modal dialog (message box, file dialog) is handed to the
    // responder once it is up, so a test can read it and answer it. Empty:
    // dialogs wait for the user. Returns the previous responder.
    using TDialogResponder = std::function<void(QDialog& Dialog)>;
    TDialogResponder SetDialogResponder(TDialogResponder Responder);

    // Runs a dialog modally through the responder; returns its result.
    int ExecuteDialog(QDialog& Dialog);

    // Destroys the forms, removes the hooks and ends the window toolkit it
    // started. Runs by itself when the program ends.
    void Finalize();

private:
    void AdoptForm(TForm* Form);
    void DestroyForms();

    bool FInitialized = false;
    bool FTerminated = false;
    TForm* FMainForm = nullptr;
    TDialogResponder FResponder;
    struct TToolkit;
    std::unique_ptr<TToolkit> FToolkit;
};

// The one application object.
extern TApplication* const Application;

template <class F>
void TApplication::CreateForm(F*& Reference)
{
    Initialize();
    Reference = nullptr;
    F* Form = new F(this);
    try {
        Form->ReadFormResource();
    } catch (...) {
        delete Form;
        throw;
    }
    Reference = Form;
    AdoptForm(Form);
}
