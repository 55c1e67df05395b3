#include "vcl/DriveComboBox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <cctype>

#include "CanvasPainting.h"
#include "FolderPaths.h"
#include "OwnerDrawDelegate.h"
#include "QtSupport.h"
#include "rtl/Application.h"
#include "vcl/DirectoryListBox.h"
#include "win32/Drives.h"

namespace {

char LetterOf(const AnsiString& Text)
{
    const char First = Text.empty() ? 0 : static_cast<char>(std::toupper(static_cast<unsigned char>(Text[0])));
    return First >= 'A' && First <= 'Z' ? First : 0;
}

} // namespace

// Paints the closed box: its frame, and the chosen item through DrawItem.
class TDriveComboBox::TFacePainter : public QObject {
public:
    TFacePainter(TDriveComboBox* ABox, QObject* Parent) : QObject(Parent), Box(ABox) {}

    bool eventFilter(QObject* Object, QEvent* Event) override
    {
        auto* Combo = qobject_cast<QComboBox*>(Object);
        if (Event->type() != QEvent::Paint || !Combo || Combo->isEditable())
            return false;
        QStylePainter Painter(Combo);
        QStyleOptionComboBox Option;
        Option.initFrom(Combo);
        Option.editable = false;
        Option.frame = true;
        Painter.drawComplexControl(QStyle::CC_ComboBox, Option);
        const QRect Field = Combo->style()->subControlRect(QStyle::CC_ComboBox, &Option,
                                                           QStyle::SC_ComboBoxEditField, Combo);
        const int Index = Combo->currentIndex();
        if (Index >= 0) {
            TOwnerDrawState State{odComboBoxEdit};
            if (Combo->hasFocus())
                State << odSelected << odFocused;
            if (!Combo->isEnabled())
                State << odDisabled;
            Painter.setClipRect(Field);
            Box->PaintItem(Painter, Index, ToTRect(Field), State);
        }
        return true;
    }

private:
    TDriveComboBox* Box;
};

TDriveComboBox::TDriveComboBox(TComponent* AOwner) : TComboBox(AOwner), FCanvas(std::make_unique<TControlCanvas>())
{
    SetStyle(csOwnerDrawFixed);
    auto* Combo = static_cast<QComboBox*>(Widget());
    Combo->setItemDelegate(FDelegate = new TOwnerDrawDelegate(
        Combo, [this](QPainter& Painter, int Index, const TRect& Rect, TOwnerDrawState State) {
            PaintItem(Painter, Index, Rect, State);
        },
        [this](int Index) { return ItemLayoutHeight(Index); }));
    FFacePainter = new TFacePainter(this, Combo);
    Combo->installEventFilter(FFacePainter);
    if (const char Here = DriveOfLinuxPath(WorkingFolder()))
        FDrive = Here;
}

TDriveComboBox::~TDriveComboBox()
{
    // The box goes after this part of the control: it must not ask it to
    // draw or measure.
    FDelegate->Detach();
    static_cast<QComboBox*>(Widget())->removeEventFilter(FFacePainter);
    if (FDirList)
        FDirList->FDriveCombo = nullptr;
}

void TDriveComboBox::SetParent(TWinControl* AParent)
{
    TComboBox::SetParent(AParent);
    if (AParent && !FBuilt) {
        FBuilt = true;
        BuildList();
        ChooseDriveItem();
    }
}

void TDriveComboBox::ChooseDriveItem()
{
    for (int I = 0; I < Items()->Count(); ++I)
        if (LetterOf(Items()->Strings(I)) == FDrive) {
            SetItemIndex(I);
            return;
        }
    SetItemIndex(-1);
}

void TDriveComboBox::BuildList()
{
    Items()->Clear();
    const DWORD Drives = GetLogicalDrives();
    for (int I = 0; I < 26; ++I)
        if (Drives & (1u << I))
            Items()->Add(AnsiString(1, static_cast<char>('a' + I)) + ":");
}

void TDriveComboBox::SetDrive(char Value)
{
    const char Letter = LetterOf(AnsiString(1, Value));
    if (!Letter)
        return;
    if (Letter != FDrive && FDirList)
        FDirList->SetDrive(Letter);
    FDrive = Letter;
    ChooseDriveItem();
}

void TDriveComboBox::SetDirList(TDirectoryListBox* Value)
{
    if (FDirList)
        FDirList->FDriveCombo = nullptr;
    FDirList = Value;
    if (FDirList) {
        if (FDirList->FDriveCombo && FDirList->FDriveCombo != this)
            FDirList->FDriveCombo->FDirList = nullptr;
        FDirList->FDriveCombo = this;
    }
}

void TDriveComboBox::Click()
{
    const int Index = ItemIndex();
    const char Letter = Index >= 0 ? LetterOf(Items()->Strings(Index)) : 0;
    if (Letter) {
        SetDrive(Letter);
    } else {
        // An item without a drive chooses nothing.
        ChooseDriveItem();
    }
}

void TDriveComboBox::SetItemHeight(int Value)
{
    FItemHeight = std::max(1, Value);
    RecreateWnd();
}

int TDriveComboBox::ItemLayoutHeight(int Index)
{
    int Height = FItemHeight;
    if (Style() == csOwnerDrawVariable)
        MeasureItem(Index, Height);
    return Height;
}

void TDriveComboBox::MeasureItem(int, int&) {}

void TDriveComboBox::DrawItem(int Index, TRect Rect, TOwnerDrawState)
{
    DrawPlainItem(*FCanvas, Rect, Items()->Strings(Index));
}

void TDriveComboBox::PaintItem(QPainter& Painter, int Index, const TRect& Rect, TOwnerDrawState State)
{
    if (Index < 0 || Index >= Items()->Count())
        return;
    TCanvasPainting Painting(*FCanvas, Painter);
    PrepareItemCanvas(*FCanvas, *this, State);
    try {
        DrawItem(Index, Rect, State);
    } catch (...) {
        HandleException(this);
    }
}

void TDriveComboBox::RecreateWnd()
{
    auto* Combo = static_cast<QComboBox*>(Widget());
    if (FBuilt) {
        BuildList();
        ChooseDriveItem();
    }
    if (auto* View = Combo->view())
        View->doItemsLayout();
    Combo->update();
}
