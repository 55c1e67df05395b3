#pragma once
// The open and save dialogs.
//
// Filter is written as pairs of a description and its patterns, each part
// ended by '|': "VTX-7430 schedule file (*.vsh)|*.vsh". Execute shows the
// dialog, offering FileName (the name last chosen) in InitialDir; true when
// the user chose a name, which FileName then holds with DefaultExt added
// when the name has no extension. The open dialog accepts a name of a file
// that does not exist; the save dialog asks nothing about an existing one.

#include <vector>

#include "rtl/Classes.h"

class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* AOwner);

    const AnsiString& Filter() const { return FFilter; }
    void SetFilter(const AnsiString& Value) { FFilter = Value; }
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int Value) { FFilterIndex = Value; }
    const AnsiString& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const AnsiString& Value) { FDefaultExt = Value; }
    const AnsiString& FileName() const { return FFileName; }
    void SetFileName(const AnsiString& Value) { FFileName = Value; }
    const AnsiString& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const AnsiString& Value) { FInitialDir = Value; }
    const AnsiString& Title() const { return FTitle; }
    void SetTitle(const AnsiString& Value) { FTitle = Value; }

    virtual bool Execute();

    void DefineProperties(TPropertyList& List) override;

protected:
    bool ExecuteAs(bool Save);

private:
    AnsiString FFilter;
    int FFilterIndex = 1;
    AnsiString FDefaultExt;
    AnsiString FFileName;
    AnsiString FInitialDir;
    AnsiString FTitle;
};

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* AOwner);
    bool Execute() override;
};

// The name filters of the window toolkit for a Filter text: one entry a
// pair, "description (patterns)".
std::vector<AnsiString> FileDialogNameFilters(const AnsiString& Filter);
