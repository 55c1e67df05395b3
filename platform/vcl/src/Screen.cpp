#include "vcl/Screen.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace {

TScreen TheScreen;

} // namespace

TScreen* const Screen = &TheScreen;

void TScreen::SetCursor(TCursor Value)
{
    FCursor = Value;
    if (!QGuiApplication::instance())
        return;
    if (Value == crHourGlass) {
        if (FOverridden)
            QGuiApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
        else
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        FOverridden = true;
    } else if (FOverridden) {
        QGuiApplication::restoreOverrideCursor();
        FOverridden = false;
    }
}

int TScreen::Width() const
{
    QScreen* Primary = QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
    return Primary ? Primary->geometry().width() : 0;
}

int TScreen::Height() const
{
    QScreen* Primary = QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
    return Primary ? Primary->geometry().height() : 0;
}
