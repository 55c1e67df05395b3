#pragma once
// How the application object deals with an exception that escapes a handler:
// it is shown in a message box with its message, and the loop goes on.
//
// The window layer's application object replaces the handler with its own;
// the default shows the box through the message-box hook.

#include <exception>
#include <functional>

#include "rtl/Exceptions.h"
#include "rtl/System.h"

// Call inside a catch block: hands the exception being handled to the
// installed handler. Sender is the object whose handler raised it, or null.
void HandleException(TObject* Sender);

// Shows an exception's message in an error box captioned with the
// application's title.
void ShowException(const std::exception& E);
// The text ShowException shows for an exception of any kind.
AnsiString ExceptionMessage(const std::exception_ptr& Error);
// What a program's entry shows of an exception that escaped its main form
// or its loop: one of the Exception family with its message; any other
// exception as an Exception with an empty message.
Exception AsException(const std::exception_ptr& Error);

using TExceptionHandler = std::function<void(TObject* Sender, const std::exception_ptr& Error)>;
// Installs a handler (an empty one restores the default) and returns the previous.
TExceptionHandler SetExceptionHandler(TExceptionHandler Handler);

const AnsiString& ApplicationTitle();
void SetApplicationTitle(const AnsiString& Title);
