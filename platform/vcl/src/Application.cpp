#include "vcl/Application.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <unistd.h>

#include "MessageDialog.h"
#include "QtSupport.h"
#include "rtl/Application.h"
#include "rtl/Thread.h"
#include "vcl/GraphicalSession.h"
#include "vcl/QtLoop.h"

namespace {

TApplication TheApplication;
// The toolkit that Initialize started. Finalize deletes it; one still up when
// the program ends is left to the end of the process, after the last form.
QApplication* StartedApplication = nullptr;
// The toolkit keeps the command line it was started with for its whole life.
AnsiString ProgramArg0;
int ProgramArgc = 1;
char* ProgramArgv[2] = {nullptr, nullptr};

AnsiString ProgramPath()
{
    char Buffer[4096];
    ssize_t Length = readlink("/proc/self/exe", Buffer, sizeof Buffer - 1);
    return Length > 0 ? AnsiString(Buffer, static_cast<size_t>(Length)) : AnsiString("vtx");
}

bool Headless()
{
    QString Platform = QGuiApplication::platformName();
    return Platform == "offscreen" || Platform == "minimal";
}

// A message handler put over the one installed, passing on what it does not
// keep to the handler before it. Other threads may log while it is put in or
// taken out, so the handler before is read through an atomic, and is kept
// once stored: a message on its way through while it is taken out still has
// somewhere to go.
class TMessageHook {
public:
    constexpr explicit TMessageHook(QtMessageHandler Handler) : FHandler(Handler) {}

    void Install()
    {
        if (FInstalled)
            return;
        FBefore = qInstallMessageHandler(FHandler);
        FInstalled = true;
    }

    // Puts back the handler from before, unless another has been installed
    // over this one since: that one stays, and this one under it, as the
    // later one may pass messages down to it.
    void Remove()
    {
        if (!FInstalled)
            return;
        const QtMessageHandler Installed = qInstallMessageHandler(FBefore.load());
        if (Installed == FHandler)
            FInstalled = false;
        else
            qInstallMessageHandler(Installed);
    }

    void PassOn(QtMsgType Type, const QMessageLogContext& Context, const QString& Message) const
    {
        QtMessageHandler Before = FBefore.load();
        // Null only in the instant between the first install and the store
        // after it.
        while (!Before) {
            std::this_thread::yield();
            Before = FBefore.load();
        }
        Before(Type, Context, Message);
    }

private:
    const QtMessageHandler FHandler;
    std::atomic<QtMessageHandler> FBefore{nullptr};
    bool FInstalled = false;
};

// The offscreen and minimal platforms have no desktop to take a window's
// size hints, and say so each time a layout sets the minimum size of a shown
// window. There that line is dropped; every other message goes on.
void DropSizeHintsNotice(QtMsgType Type, const QMessageLogContext& Context, const QString& Message);
TMessageHook SizeHintsFilter(DropSizeHintsNotice);

void DropSizeHintsNotice(QtMsgType Type, const QMessageLogContext& Context, const QString& Message)
{
    if (Type == QtWarningMsg && Message == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    SizeHintsFilter.PassOn(Type, Context, Message);
}

// Whether the toolkit ends the program at a warning, as it reads
// QT_FATAL_WARNINGS: set to anything but a number, or to a number N above 0
// (at the Nth warning). It ends it after the handlers have had the warning,
// dropped or not, so then the filter stays out: the line it ends at is seen.
bool FatalWarnings()
{
    bool Number = false;
    const int Count = qEnvironmentVariableIntValue("QT_FATAL_WARNINGS", &Number);
    return !qEnvironmentVariableIsEmpty("QT_FATAL_WARNINGS") && (!Number || Count > 0);
}

// Where no window platform can start (the display named cannot be opened,
// QT_QPA_PLATFORM names none the toolkit has), the toolkit ends the program
// while it starts, with an abort and a note that reinstalling may help.
// While it starts, that one fatal message is taken: the program says what
// could not be opened and what it needs, and ends with status 1. Every other
// message, every other fatal one too, goes on as before.
void WatchToolkitStart(QtMsgType Type, const QMessageLogContext& Context, const QString& Message);
TMessageHook ToolkitStartWatch(WatchToolkitStart);

// The names in the toolkit's "Available platform plugins are: a, b, c."
std::string AvailablePlatforms(const QString& Message)
{
    const QLatin1String Lead("Available platform plugins are:");
    const qsizetype Start = Message.indexOf(Lead);
    if (Start < 0)
        return {};
    QString Names = Message.mid(Start + Lead.size()).trimmed();
    if (Names.endsWith('.'))
        Names.chop(1);
    return Names.toStdString();
}

void WatchToolkitStart(QtMsgType Type, const QMessageLogContext& Context, const QString& Message)
{
    if (Type == QtFatalMsg && Message.startsWith(QLatin1String("This application failed to start because")) &&
        Message.contains(QLatin1String("Qt platform plugin"))) {
        ReportUnopenedDisplay(TSessionEnvironment::OfProcess(), AvailablePlatforms(Message));
        std::fflush(nullptr);
        std::_Exit(1);
    }
    ToolkitStartWatch.PassOn(Type, Context, Message);
}

} // namespace

TApplication* const Application = &TheApplication;

// What Initialize set up, and what it replaced.
struct TApplication::TToolkit {
    std::unique_ptr<TQtLoop> Loop;
    TMainLoop* PreviousLoop = nullptr;
    TMessageBoxHook PreviousHook;
    TExceptionHandler PreviousHandler;
};

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication()
{
    DestroyForms();
}

void TApplication::Initialize()
{
    if (FInitialized)
        return;
    FToolkit = std::make_unique<TToolkit>();
    if (!QApplication::instance()) {
        UsePrivateRuntimeFolder();
        ProgramArg0 = ProgramPath();
        ProgramArgv[0] = ProgramArg0.data();
        ToolkitStartWatch.Install();
        StartedApplication = new QApplication(ProgramArgc, ProgramArgv);
        ToolkitStartWatch.Remove();
    }
    QApplication::setQuitOnLastWindowClosed(false);
    if (Headless() && !FatalWarnings())
        SizeHintsFilter.Install();
    InstallFontSubstitutions();
    FToolkit->Loop = std::make_unique<TQtLoop>();
    FToolkit->PreviousLoop = SetMainLoop(FToolkit->Loop.get());
    FToolkit->PreviousHook = SetMessageBoxHook([](const TMessageBoxRequest& Request) {
        if (std::this_thread::get_id() == MainThreadID())
            return ShowMessageDialog(Request);
        int Answer = IDCANCEL;
        TThread::Synchronize(nullptr, [&] { Answer = ShowMessageDialog(Request); });
        return Answer;
    });
    FToolkit->PreviousHandler = SetExceptionHandler([](TObject*, const std::exception_ptr& Error) {
        ShowMessageBox(ExceptionMessage(Error), ApplicationTitle(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
    });
    if (ApplicationTitle() == "Application") {
        AnsiString Path = ProgramPath();
        SetApplicationTitle(Path.substr(Path.find_last_of('/') + 1));
    }
    FTerminated = false;
    FInitialized = true;
}

void TApplication::Finalize()
{
    DestroyForms();
    if (!FInitialized)
        return;
    SetExceptionHandler(std::move(FToolkit->PreviousHandler));
    SetMessageBoxHook(std::move(FToolkit->PreviousHook));
    SetMainLoop(FToolkit->PreviousLoop);
    FToolkit->Loop.reset();
    FToolkit.reset();
    delete StartedApplication;
    StartedApplication = nullptr;
    SizeHintsFilter.Remove();
    FInitialized = false;
}

void TApplication::AdoptForm(TForm* Form)
{
    if (!FMainForm)
        FMainForm = Form;
}

void TApplication::DestroyForms()
{
    // OnDestroy of every form first, while each is still whole; then the
    // components, last first.
    for (int i = ComponentCount() - 1; i >= 0; --i)
        if (auto* Form = dynamic_cast<TForm*>(Components(i)))
            Form->BeforeDestruction();
    DestroyComponents();
    FMainForm = nullptr;
}

void TApplication::Run()
{
    Initialize();
    if (FMainForm && !FMainForm->Visible())
        FMainForm->Show();
    if (!FTerminated)
        FToolkit->Loop->Run();
    DestroyForms();
    FTerminated = false;
}

void TApplication::Terminate()
{
    FTerminated = true;
    // Before Run the flag alone keeps Run from starting the loop.
    if (FInitialized && FToolkit->Loop->Running())
        FToolkit->Loop->Quit(0);
}

void TApplication::ProcessMessages()
{
    if (FInitialized)
        FToolkit->Loop->ProcessPending();
}

const AnsiString& TApplication::Title() const
{
    return ApplicationTitle();
}

void TApplication::SetTitle(const AnsiString& Value)
{
    SetApplicationTitle(Value);
}

int TApplication::MessageBox(const AnsiString& Text, const AnsiString& Caption, unsigned Flags)
{
    return ShowMessageBox(Text, Caption, Flags);
}

void TApplication::ShowException(const std::exception& E)
{
    ShowMessageBox(E.what(), Title(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void TApplication::ShowException(const Exception* E)
{
    ShowMessageBox(E ? E->Message : AnsiString(), Title(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void TApplication::HandleException(TObject* Sender)
{
    ::HandleException(Sender);
}

TApplication::TDialogResponder TApplication::SetDialogResponder(TDialogResponder Responder)
{
    TDialogResponder Previous = std::move(FResponder);
    FResponder = std::move(Responder);
    return Previous;
}

int TApplication::ExecuteDialog(QDialog& Dialog)
{
    if (FResponder) {
        QPointer<QDialog> Shown(&Dialog);
        TDialogResponder Responder = FResponder;
        QTimer::singleShot(0, &Dialog, [Shown, Responder] {
            Responder(*Shown);
            // A dialog the responder left open would wait for ever.
            if (Shown && Shown->isVisible())
                Shown->reject();
        });
        return Dialog.exec();
    }
    if (Headless())
        return -1;
    return Dialog.exec();
}
