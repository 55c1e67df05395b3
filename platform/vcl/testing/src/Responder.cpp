#include "vcl/testing/Responder.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "QtSupport.h"
#include "vcl/Application.h"

namespace {

AnsiString ButtonName(QMessageBox::StandardButton Button)
{
    switch (Button) {
    case QMessageBox::Ok: return "OK";
    case QMessageBox::Yes: return "Yes";
    case QMessageBox::No: return "No";
    case QMessageBox::Cancel: return "Cancel";
    default: return "?";
    }
}

QMessageBox::StandardButton ButtonOf(int Answer)
{
    switch (Answer) {
    case IDOK: return QMessageBox::Ok;
    case IDYES: return QMessageBox::Yes;
    case IDNO: return QMessageBox::No;
    case IDCANCEL: return QMessageBox::Cancel;
    default: return QMessageBox::NoButton;
    }
}

int AnswerOf(QMessageBox::StandardButton Button)
{
    switch (Button) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    case QMessageBox::Cancel: return IDCANCEL;
    default: return 0;
    }
}

AnsiString IconName(QMessageBox::Icon Icon)
{
    switch (Icon) {
    case QMessageBox::Critical: return "Error";
    case QMessageBox::Question: return "Question";
    case QMessageBox::Warning: return "Warning";
    case QMessageBox::Information: return "Information";
    default: return "";
    }
}

} // namespace

TTestResponder::TTestResponder()
{
    Application->Initialize();
    Application->SetDialogResponder([this](QDialog& Dialog) { Respond(Dialog); });
    FInstalled = true;
}

TTestResponder::~TTestResponder()
{
    if (FInstalled)
        Application->SetDialogResponder({});
}

void TTestResponder::AnswerMessageBox(int Answer)
{
    FBoxAnswers.push_back(Answer);
}

void TTestResponder::AnswerFileDialog(const AnsiString& FileName)
{
    FFileAnswers.emplace_back(true, FileName);
}

void TTestResponder::CancelFileDialog()
{
    FFileAnswers.emplace_back(false, AnsiString());
}

void TTestResponder::Clear()
{
    FBoxAnswers.clear();
    FFileAnswers.clear();
    FBoxes.clear();
    FFileDialogs.clear();
    FUnscripted = 0;
}

void TTestResponder::Respond(QDialog& Dialog)
{
    if (auto* Box = qobject_cast<QMessageBox*>(&Dialog)) {
        TShownMessageBox Shown;
        Shown.Caption = FromQt(Box->windowTitle());
        Shown.Text = FromQt(Box->text());
        for (QAbstractButton* Button : Box->buttons())
            Shown.Buttons.push_back(ButtonName(Box->standardButton(Button)));
        Shown.Icon = IconName(Box->icon());
        Shown.ApplicationModal = Box->windowModality() == Qt::ApplicationModal;
        Shown.Width = Box->width();
        QAbstractButton* Target = nullptr;
        if (!FBoxAnswers.empty()) {
            Target = Box->button(ButtonOf(FBoxAnswers.front()));
            FBoxAnswers.pop_front();
        }
        if (!Target) {
            // What Enter would press: the default button, else OK or Yes.
            ++FUnscripted;
            Target = Box->defaultButton();
            if (!Target)
                Target = Box->button(QMessageBox::Ok) ? Box->button(QMessageBox::Ok) : Box->button(QMessageBox::Yes);
        }
        Shown.Answer = Target ? AnswerOf(Box->standardButton(Target)) : 0;
        FBoxes.push_back(Shown);
        if (Target)
            Target->click();
        return;
    }
    if (auto* Files = qobject_cast<QFileDialog*>(&Dialog)) {
        TShownFileDialog Shown;
        Shown.Save = Files->acceptMode() == QFileDialog::AcceptSave;
        Shown.Title = FromQt(Files->windowTitle());
        for (const QString& Filter : Files->nameFilters())
            Shown.NameFilters.push_back(FromQt(Filter));
        Shown.DefaultSuffix = FromQt(Files->defaultSuffix());
        QStringList Offered = Files->selectedFiles();
        Shown.OfferedName = Offered.isEmpty() ? AnsiString() : FromQt(QFileInfo(Offered.front()).fileName());
        Shown.Directory = FromQt(Files->directory().absolutePath());
        if (FFileAnswers.empty()) {
            ++FUnscripted;
            FFileDialogs.push_back(Shown);
            Files->reject();
            return;
        }
        auto [Accept, Name] = FFileAnswers.front();
        FFileAnswers.pop_front();
        if (Accept) {
            Files->selectFile(ToQt(Name));
            static_cast<QDialog*>(Files)->accept();
            if (Files->result() == QDialog::Accepted && !Files->selectedFiles().isEmpty())
                Shown.Answer = FromQt(Files->selectedFiles().front());
        } else {
            Files->reject();
        }
        FFileDialogs.push_back(Shown);
        return;
    }
    ++FUnscripted;
    Dialog.reject();
}
