#include "vcl/testing/Screenshot.h"

#include <QPixmap>
#include <QWidget>

#include "QtSupport.h"
#include "vcl/testing/User.h"

bool SaveScreenshot(TForm* Form, const AnsiString& FileName)
{
    if (!Form->Visible())
        TUser::ShowForm(Form);
    TUser::ProcessEvents();
    QPixmap Picture = Form->Widget()->grab();
    return !Picture.isNull() && Picture.save(ToQt(FileName), "PNG");
}
