#include "MessageDialog.h"

#include <QMessageBox>
#include <cstdio>

#include "QtSupport.h"
#include "vcl/Application.h"

namespace {

QMessageBox::Icon IconOf(unsigned Flags)
{
    switch (Flags & MB_ICONMASK) {
    case MB_ICONERROR: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONWARNING: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons ButtonsOf(unsigned Flags)
{
    switch (Flags & MB_TYPEMASK) {
    case MB_OKCANCEL: return QMessageBox::Ok | QMessageBox::Cancel;
    case MB_YESNOCANCEL: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MB_YESNO: return QMessageBox::Yes | QMessageBox::No;
    default: return QMessageBox::Ok;
    }
}

// The answer of a box closed without a button: No for a question without
// Cancel, Cancel where there is one, else OK.
int ClosedAnswer(unsigned Flags)
{
    switch (Flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL: return IDCANCEL;
    case MB_YESNO: return IDNO;
    default: return IDOK;
    }
}

} // namespace

int ShowMessageDialog(const TMessageBoxRequest& Request)
{
    QMessageBox Box;
    Box.setWindowTitle(ToQt(Request.Caption));
    Box.setTextFormat(Qt::PlainText);
    Box.setText(ToQt(Request.Text));
    Box.setIcon(IconOf(Request.Flags));
    Box.setStandardButtons(ButtonsOf(Request.Flags));
    Box.setWindowModality(Qt::ApplicationModal);
    if (Application->ExecuteDialog(Box) < 0) {
        // No desktop and no responder: nobody could answer it.
        std::fprintf(stderr, "[%s] %s\n", Request.Caption.c_str(), Request.Text.c_str());
        return DefaultMessageBoxAnswer(Request.Flags);
    }
    switch (Box.standardButton(Box.clickedButton())) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Cancel: return IDCANCEL;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return ClosedAnswer(Request.Flags);
    }
}
