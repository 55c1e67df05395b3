#include "rtl/Application.h"

#include <mutex>

#include "rtl/Exceptions.h"
#include "rtl/MessageBox.h"

namespace {

std::mutex HandlerLock;
TExceptionHandler CurrentHandler;
AnsiString Title = "Application";

} // namespace

AnsiString ExceptionMessage(const std::exception_ptr& Error)
{
    try {
        std::rethrow_exception(Error);
    } catch (const std::exception& E) {
        return E.what();
    } catch (...) {
        return "Unknown exception";
    }
}

Exception AsException(const std::exception_ptr& Error)
{
    if (!Error)
        return Exception(AnsiString());
    try {
        std::rethrow_exception(Error);
    } catch (const Exception& E) {
        return E;
    } catch (...) {
        return Exception(AnsiString());
    }
}

void ShowException(const std::exception& E)
{
    ShowMessageBox(E.what(), ApplicationTitle(), MB_OK | MB_ICONERROR);
}

void HandleException(TObject* Sender)
{
    std::exception_ptr Error = std::current_exception();
    if (!Error)
        return;
    TExceptionHandler Handler;
    {
        std::lock_guard<std::mutex> Guard(HandlerLock);
        Handler = CurrentHandler;
    }
    if (Handler) {
        Handler(Sender, Error);
        return;
    }
    ShowMessageBox(ExceptionMessage(Error), ApplicationTitle(), MB_OK | MB_ICONERROR);
}

TExceptionHandler SetExceptionHandler(TExceptionHandler Handler)
{
    std::lock_guard<std::mutex> Guard(HandlerLock);
    TExceptionHandler Previous = std::move(CurrentHandler);
    CurrentHandler = std::move(Handler);
    return Previous;
}

const AnsiString& ApplicationTitle()
{
    return Title;
}

void SetApplicationTitle(const AnsiString& NewTitle)
{
    Title = NewTitle;
}
