#pragma once
// Every message box of the system goes through one replaceable hook.
//
// The default hook writes the caption and the text to standard error and
// answers as if OK (or Yes) had been chosen. The window layer installs a hook
// that shows a real dialog; tests install one that records each box and
// gives scripted answers.

#include <functional>

#include "rtl/System.h"

// Buttons, icons and modality: the values of the platform's message box flags.
constexpr unsigned MB_OK = 0x00000000;
constexpr unsigned MB_OKCANCEL = 0x00000001;
constexpr unsigned MB_YESNOCANCEL = 0x00000003;
constexpr unsigned MB_YESNO = 0x00000004;
constexpr unsigned MB_ICONERROR = 0x00000010;
constexpr unsigned MB_ICONQUESTION = 0x00000020;
constexpr unsigned MB_ICONWARNING = 0x00000030;
constexpr unsigned MB_ICONINFORMATION = 0x00000040;
constexpr unsigned MB_TASKMODAL = 0x00002000;
constexpr unsigned MB_TYPEMASK = 0x0000000F;
constexpr unsigned MB_ICONMASK = 0x000000F0;

// Answers.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

struct TMessageBoxRequest {
    AnsiString Text;
    AnsiString Caption;
    unsigned Flags = MB_OK;
};

using TMessageBoxHook = std::function<int(const TMessageBoxRequest&)>;

// Shows a box through the current hook and returns its answer. May be called
// from any thread; the hook decides where the box is shown.
int ShowMessageBox(const AnsiString& Text, const AnsiString& Caption, unsigned Flags);

// Installs a hook (an empty one restores the default) and returns the previous.
TMessageBoxHook SetMessageBoxHook(TMessageBoxHook Hook);

// The default answer for a box of these flags: OK, or Yes for a question.
int DefaultMessageBoxAnswer(unsigned Flags);

// Installs a hook for the life of the object and puts the previous one back.
class TScopedMessageBoxHook {
public:
    explicit TScopedMessageBoxHook(TMessageBoxHook Hook) : Previous(SetMessageBoxHook(std::move(Hook))) {}
    ~TScopedMessageBoxHook() { SetMessageBoxHook(std::move(Previous)); }
    TScopedMessageBoxHook(const TScopedMessageBoxHook&) = delete;
    TScopedMessageBoxHook& operator=(const TScopedMessageBoxHook&) = delete;

private:
    TMessageBoxHook Previous;
};
