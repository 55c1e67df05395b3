#include "MessageDialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>
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

// The box is at least as wide as its caption needs in the desktop's title
// bar: the text in a bold title font beside the window's icon and its three
// buttons, each about as wide as the bar is high, and the bar's margins. The
// toolkit's box fits itself to its text whenever it is laid out, so the
// width is held in its layout, where that fitting takes it in.
class TMessageBoxDialog : public QMessageBox {
protected:
    void showEvent(QShowEvent* Event) override
    {
        if (!FCaptionRoom)
            HoldCaptionRoom();
        QMessageBox::showEvent(Event);
    }

private:
    void HoldCaptionRoom()
    {
        auto* Grid = qobject_cast<QGridLayout*>(layout());
        if (!Grid)
            return;
        QFont TitleFont = QApplication::font("QMdiSubWindowTitleBar");
        TitleFont.setBold(true);
        const QFontMetrics Metrics(TitleFont);
        const int BarHeight = Metrics.height() + 12;
        int Wanted = Metrics.horizontalAdvance(windowTitle()) + 5 * BarHeight;
        if (const QScreen* Shown = screen())
            Wanted = std::min(Wanted, Shown->availableGeometry().width());
        const QMargins Margins = Grid->contentsMargins();
        FCaptionRoom = new QSpacerItem(std::max(0, Wanted - Margins.left() - Margins.right()), 0, QSizePolicy::Fixed,
                                       QSizePolicy::Minimum);
        Grid->addItem(FCaptionRoom, Grid->rowCount(), 0, 1, Grid->columnCount());
    }

    // Owned by the layout.
    QSpacerItem* FCaptionRoom = nullptr;
};

} // namespace

int ShowMessageDialog(const TMessageBoxRequest& Request)
{
    TMessageBoxDialog Box;
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
