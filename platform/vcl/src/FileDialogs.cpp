#include "vcl/FileDialogs.h"

#include <QFileDialog>
#include <QGuiApplication>

#include "QtSupport.h"
#include "rtl/StoredProperties.h"
#include "vcl/Application.h"

std::vector<AnsiString> FileDialogNameFilters(const AnsiString& Filter)
{
    std::vector<AnsiString> Parts;
    size_t Start = 0;
    while (Start <= Filter.size()) {
        size_t End = Filter.find('|', Start);
        if (End == AnsiString::npos)
            End = Filter.size();
        Parts.push_back(Filter.substr(Start, End - Start));
        Start = End + 1;
    }
    if (!Parts.empty() && Parts.back().empty())
        Parts.pop_back();
    std::vector<AnsiString> Result;
    for (size_t i = 0; i + 1 < Parts.size(); i += 2) {
        AnsiString Description = Parts[i];
        AnsiString Patterns = Parts[i + 1];
        for (char& C : Patterns)
            if (C == ';')
                C = ' ';
        // The toolkit reads the patterns from the parentheses at the end.
        AnsiString Tail = "(" + Patterns + ")";
        bool HasTail = Description.size() >= Tail.size() &&
                       Description.compare(Description.size() - Tail.size(), Tail.size(), Tail) == 0;
        Result.push_back(HasTail ? Description : Description + " " + Tail);
    }
    return Result;
}

TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}

bool TOpenDialog::Execute()
{
    return ExecuteAs(false);
}

bool TOpenDialog::ExecuteAs(bool Save)
{
    Application->Initialize();
    QFileDialog Dialog;
    Dialog.setOption(QFileDialog::DontUseNativeDialog, QGuiApplication::platformName() == "offscreen");
    Dialog.setAcceptMode(Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // A name that does not exist is accepted; the program decides what to do.
    Dialog.setFileMode(QFileDialog::AnyFile);
    Dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!FTitle.empty())
        Dialog.setWindowTitle(ToQt(FTitle));
    QStringList Filters;
    for (const AnsiString& F : FileDialogNameFilters(FFilter))
        Filters.append(ToQt(F));
    if (!Filters.isEmpty()) {
        Dialog.setNameFilters(Filters);
        int Index = std::clamp(FFilterIndex - 1, 0, static_cast<int>(Filters.size()) - 1);
        Dialog.selectNameFilter(Filters[Index]);
    }
    Dialog.setDefaultSuffix(ToQt(FDefaultExt));
    if (!FInitialDir.empty())
        Dialog.setDirectory(ToQt(FInitialDir));
    if (!FFileName.empty())
        Dialog.selectFile(ToQt(FFileName));
    Dialog.setWindowModality(Qt::ApplicationModal);
    if (Application->ExecuteDialog(Dialog) != QDialog::Accepted)
        return false;
    QStringList Chosen = Dialog.selectedFiles();
    if (Chosen.isEmpty())
        return false;
    FFileName = FromQt(Chosen.front());
    return true;
}

void TOpenDialog::DefineProperties(TPropertyList& List)
{
    TComponent::DefineProperties(List);
    List.Add("DefaultExt", [this](const TStoredValue& V) { SetDefaultExt(V.AsString()); });
    List.Add("FileName", [this](const TStoredValue& V) { SetFileName(V.AsString()); });
    List.Add("Filter", [this](const TStoredValue& V) { SetFilter(V.AsString()); });
    List.Add("FilterIndex", [this](const TStoredValue& V) { SetFilterIndex(V.AsInt()); });
    List.Add("InitialDir", [this](const TStoredValue& V) { SetInitialDir(V.AsString()); });
    List.Add("Title", [this](const TStoredValue& V) { SetTitle(V.AsString()); });
}

TSaveDialog::TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}

bool TSaveDialog::Execute()
{
    return ExecuteAs(true);
}
