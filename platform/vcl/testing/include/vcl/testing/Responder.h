#pragma once
// Answers the message boxes and file dialogs of the program with scripted
// answers and records what each one showed. While an object lives it is the
// application's dialog responder; the real dialog is built and shown, then
// answered by clicking its button or filling in its file name.
//
// A dialog that comes when no answer is scripted is answered as a user
// pressing Enter would (OK, or Yes) for a message box, and cancelled for a
// file dialog; it is counted in Unscripted().

#include <deque>
#include <vector>

#include "rtl/MessageBox.h"

class QDialog;

struct TShownMessageBox {
    AnsiString Caption;
    AnsiString Text;
    // "OK", "Yes", "No", "Cancel", in the order shown.
    std::vector<AnsiString> Buttons;
    // "Error", "Question", "Warning", "Information" or "".
    AnsiString Icon;
    bool ApplicationModal = false;
    // The box's width as shown, in pixels.
    int Width = 0;
    int Answer = 0;
};

struct TShownFileDialog {
    bool Save = false;
    AnsiString Title;
    std::vector<AnsiString> NameFilters;
    AnsiString DefaultSuffix;
    // The name the dialog offered, and its folder.
    AnsiString OfferedName;
    AnsiString Directory;
    // The name given, empty when cancelled.
    AnsiString Answer;
};

class TTestResponder {
public:
    TTestResponder();
    ~TTestResponder();
    TTestResponder(const TTestResponder&) = delete;
    TTestResponder& operator=(const TTestResponder&) = delete;

    // The next message box is answered with IDOK, IDYES, IDNO or IDCANCEL.
    void AnswerMessageBox(int Answer);
    // The next file dialog is answered with this name (a path, or a name in
    // the dialog's folder), or cancelled.
    void AnswerFileDialog(const AnsiString& FileName);
    void CancelFileDialog();

    const std::vector<TShownMessageBox>& MessageBoxes() const { return FBoxes; }
    const std::vector<TShownFileDialog>& FileDialogs() const { return FFileDialogs; }
    int Unscripted() const { return FUnscripted; }
    // Scripted answers no dialog has used yet.
    int Pending() const { return static_cast<int>(FBoxAnswers.size() + FFileAnswers.size()); }
    void Clear();

private:
    void Respond(QDialog& Dialog);

    std::deque<int> FBoxAnswers;
    std::deque<std::pair<bool, AnsiString>> FFileAnswers;
    std::vector<TShownMessageBox> FBoxes;
    std::vector<TShownFileDialog> FFileDialogs;
    int FUnscripted = 0;
    bool FInstalled = false;
};
