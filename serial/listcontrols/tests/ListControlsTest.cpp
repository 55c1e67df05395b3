// The four list controls on forms shown offscreen, driven as a user would,
// with drives mapped to temporary folders of the test's own.

#include <gtest/gtest.h>

#include <QColor>
#include <QComboBox>
#include <QImage>
#include <QListView>
#include <QPixmap>
#include <QWidget>
#include <filesystem>
#include <fstream>

#include "YVclCtrl/ListControls.h"
#include "YVclCtrl/Tydirectorylistbox.h"
#include "YVclCtrl/Tydrivecombobox.h"
#include "YVclCtrl/Tyfilelistbox.h"
#include "YVclCtrl/Tylistbox.h"
#include "vcl/Bitmap.h"
#include "vcl/testing/Responder.h"
#include "vcl/testing/Screenshot.h"
#include "vcl/testing/User.h"
#include "win32/Drives.h"
#include "win32/testing/ScopedDrives.h"

using namespace YVclCtrl;

namespace {

const char* const FormText = R"FORM(
TForm1 Form1 {
    Caption = "List controls"
    Width = 520; Height = 300
    Font.Name = "MS Sans Serif"; Font.Height = -11
    TYListBox ListBox1 { Left = 8; Top = 8; Width = 150; Height = 130; Items = ["Channel 1", "Channel 2", "Channel 3"] }
    TYDriveComboBox DriveCombo1 { Left = 170; Top = 8; Width = 160 }
    TYDirectoryListBox DirList1 { Left = 170; Top = 40; Width = 160; Height = 200 }
    TYFileListBox FileList1 { Left = 340; Top = 8; Width = 170; Height = 232 }
}
)FORM";

class TListForm : public TForm {
public:
    explicit TListForm(TComponent* AOwner) : TForm(AOwner, FormText) {}
};

QColor Pixel(const QImage& Image, int X, int Y)
{
    return QColor(Image.pixel(X, Y));
}

// The darkest pixel of a part of a picture, by lightness.
int DarkestIn(const QImage& Image, const TRect& Part)
{
    int Darkest = 255;
    for (int Y = Part.Top; Y < Part.Bottom; ++Y)
        for (int X = Part.Left; X < Part.Right; ++X)
            Darkest = std::min(Darkest, QColor(Image.pixel(X, Y)).lightness());
    return Darkest;
}

// The leftmost pixel of a row band that differs from the band's first pixel.
int FirstInk(const QImage& Image, const TRect& Band)
{
    const QRgb Back = Image.pixel(Band.Left, Band.Top);
    for (int X = Band.Left; X < Band.Right; ++X)
        for (int Y = Band.Top; Y < Band.Bottom; ++Y)
            if (Image.pixel(X, Y) != Back)
                return X;
    return -1;
}

// Drive C: is a temporary folder with a few files and folders; the form
// holds the four controls.
class ListControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterListControls();
        Folder = Drives.MapFolder('C');
        std::filesystem::create_directories(Folder + "/schedules");
        std::filesystem::create_directories(Folder + "/logs");
        for (const char* Name : {"a.vsh", "b.vsh", "readme.txt", ".hidden"})
            std::ofstream(Folder + "/" + Name) << "x";
        Form = NewForm<TListForm>();
        ListBox = Form->FindComponentAs<TYListBox>("ListBox1");
        Combo = Form->FindComponentAs<TYDriveComboBox>("DriveCombo1");
        DirList = Form->FindComponentAs<TYDirectoryListBox>("DirList1");
        FileList = Form->FindComponentAs<TYFileListBox>("FileList1");
        ASSERT_TRUE(ListBox && Combo && DirList && FileList);
        DirList->SetDirectory(Folder);
        FileList->SetDirectory(Folder);
    }

    TScopedDrives Drives;
    std::string Folder;
    TFormPtr<TListForm> Form;
    TYListBox* ListBox = nullptr;
    TYDriveComboBox* Combo = nullptr;
    TYDirectoryListBox* DirList = nullptr;
    TYFileListBox* FileList = nullptr;
};

} // namespace

TEST(ListGlyphs, TheFourBoxesAreResourcesFoundWhateverTheCase)
{
    RegisterListControls();
    TYListBox Box(nullptr);   // registers the resources
    const struct { const char* Name; TColor Frame; TColor Field; TColor Tick; } Cases[] = {
        {"gp_gray0", clGray, clWhite, clWhite},
        {"GP_GRAY1", clGray, clWhite, clGreen},
        {"Gp_Sel0", clPurple, clWhite, clWhite},
        {"gp_sel1", clPurple, clAqua, clRed},
    };
    for (const auto& C : Cases) {
        TBitmap Glyph;
        Glyph.LoadFromResourceName(C.Name);
        EXPECT_EQ(Glyph.Width(), 16) << C.Name;
        EXPECT_EQ(Glyph.Height(), 16) << C.Name;
        EXPECT_EQ(Glyph.TransparentColor(), clSilver) << C.Name << ": drawn on a silver ground";
        EXPECT_EQ(Glyph.Pixels(1, 1), C.Frame) << C.Name;
        EXPECT_EQ(Glyph.Pixels(2, 7), C.Frame) << C.Name << ": two pixels wide";
        EXPECT_EQ(Glyph.Pixels(3, 3), C.Field) << C.Name;
        EXPECT_EQ(Glyph.Pixels(5, 8), C.Tick) << C.Name;
    }
    TBitmap Missing;
    EXPECT_THROW(Missing.LoadFromResourceName("GP_NONE"), EResNotFound);
}

TEST_F(ListControls, TheListBoxIsButtonFacedOwnerDrawnAndHidesItsStyle)
{
    EXPECT_EQ(ListBox->Color(), clBtnFace);
    EXPECT_EQ(ListBox->Style(), lbOwnerDrawFixed);
    EXPECT_EQ(ListBox->ItemHeight(), 24);
    EXPECT_THROW(NewForm<TForm>("TForm1 F { TYListBox L { Style = lbStandard } }"), EReadError);
}

TEST_F(ListControls, ASelectedDisabledItemShowsTheGreyTickAndGreyText)
{
    TUser::ShowForm(Form.get());
    ListBox->SetItemIndex(1);
    struct TLook { QColor Tick; int Darkest; };
    auto Look = [&](int Index) {
        TUser::ProcessEvents();
        const QImage Image = ListBox->Widget()->grab().toImage();
        const TRect Item = ListBox->ItemRect(Index);
        const int GlyphY = Item.Top + (Item.Height() - 16) / 2;
        const TRect Text{Item.Left + 24, Item.Top + 2, Item.Left + 70, Item.Bottom - 3};
        return TLook{Pixel(Image, Item.Left + 4 + 5, GlyphY + 8), DarkestIn(Image, Text)};
    };
    const TLook Enabled = Look(1);
    EXPECT_EQ(Enabled.Tick, QColor(Qt::red)) << "a selected item: the red tick";
    EXPECT_LT(Enabled.Darkest, 80) << "button text";
    EXPECT_EQ(Look(0).Tick, QColor(Qt::white)) << "an item not selected has no tick";

    ListBox->SetEnabled(false);
    const TLook Disabled = Look(1);
    EXPECT_EQ(Disabled.Tick, QColor(0, 128, 0)) << "the grey box's green tick";
    EXPECT_GT(Disabled.Darkest, Enabled.Darkest + 40) << "grey text";
}

TEST_F(ListControls, TheDriveListNeverHasFewerThanTwoItems)
{
    // Only C: is mapped: its root and one blank item. C: goes to a RAM
    // disk, a folder of known type (the type of a folder whose mount cannot
    // be found, as in a chroot, is unknown and always listed).
    std::string Why;
    if (Drives.MapRamDiskFolder('C', Why).empty())
        GTEST_SKIP() << Why;
    Combo->WrItemHeight(20);   // the list is built anew
    EXPECT_EQ(Combo->Items()->ToVector(), (std::vector<AnsiString>{"C:\\", "   "}));
    Combo->WrDriveType({});
    Combo->WrItemHeight(24);   // built anew
    EXPECT_EQ(Combo->Items()->ToVector(), (std::vector<AnsiString>{"   ", "   "}));
}

TEST_F(ListControls, DriveTypesChooseTheDrivesListedAndAnUnknownOneIsAlwaysThere)
{
    std::string Why;
    if (Drives.MapRamDiskFolder('R', Why).empty())
        GTEST_SKIP() << Why;
    Drives.MapFolder('M', "missing", false);
    const UINT TypeOfC = GetDriveType("C:\\");
    Combo->WrItemHeight(16);
    EXPECT_EQ(Combo->Items()->ToVector(), (std::vector<AnsiString>{"C:\\", "M:\\", "R:\\"}));
    Combo->WrDriveType({dtFixedDisk, dtRemote, dtRemovable, dtCdROM});
    Combo->WrItemHeight(16);
    std::vector<AnsiString> Expected{"M:\\"};
    if (TypeOfC != DRIVE_RAMDISK)
        Expected.insert(Expected.begin(), "C:\\");
    if (Expected.size() < 2)
        Expected.push_back("   ");
    EXPECT_EQ(Combo->Items()->ToVector(), Expected) << "no RAM disk; the drive without a folder stays";
}

TEST_F(ListControls, ItemHeightsOfTheDriveList)
{
    Combo->WrItemHeight(5);
    EXPECT_EQ(Combo->ItemHt(), 8);
    Combo->WrShowBigIcon(true);
    EXPECT_EQ(Combo->ItemHt(), 32);
    EXPECT_EQ(Combo->ItemLayoutHeight(0), 34);
    auto* Box = static_cast<QComboBox*>(Combo->Widget());
    EXPECT_EQ(Box->view()->sizeHintForRow(0), 34);
    Combo->WrShowBigIcon(false);
    EXPECT_EQ(Combo->ItemHt(), 16);
    EXPECT_EQ(Box->view()->sizeHintForRow(0), 18);
}

TEST_F(ListControls, TheDriveListDropsDownEightRowsUnlessTheFormStoresACount)
{
    EXPECT_EQ(Combo->DropDownCount(), 8);
    auto Stored = NewForm<TForm>("TForm1 F { TYDriveComboBox D { DropDownCount = 12 } }");
    EXPECT_EQ(Stored->FindComponentAs<TYDriveComboBox>("D")->DropDownCount(), 12);
}

TEST_F(ListControls, AnUnreadyDriveChosenWithADirectoryListFallsBack)
{
    Drives.MapFolder('M', "missing", false);
    Combo->WrItemHeight(16);
    Combo->SetDirList(DirList);
    TUser::ShowForm(Form.get());
    TTestResponder Responder;
    const AnsiString Before = DirList->Directory();
    ASSERT_TRUE(TUser::ChooseItem(Combo, "M:\\"));
    EXPECT_EQ(Combo->Text(), "C:\\") << "back on the current drive";
    EXPECT_EQ(Combo->RdDrive(), 'C');
    EXPECT_EQ(DirList->Directory(), Before);
    EXPECT_TRUE(Responder.MessageBoxes().empty()) << "epNone says nothing";

    Combo->WrErrPostStyle(epShowMsgDlg);
    ASSERT_TRUE(TUser::ChooseItem(Combo, "M:\\"));
    ASSERT_EQ(Responder.MessageBoxes().size(), 1u);
    EXPECT_EQ(Responder.MessageBoxes()[0].Caption, "ORB-YVCL");
    EXPECT_EQ(Responder.MessageBoxes()[0].Text,
              "Err: TYDriverComboBox \nInaccessible volume \"M:\\\" \nfrom component DriveCombo1");
    EXPECT_EQ(Combo->Text(), "C:\\");
}

TEST_F(ListControls, WithoutADirectoryListTheChoiceIsNotChecked)
{
    Drives.MapFolder('M', "missing", false);
    Combo->WrItemHeight(16);
    TUser::ShowForm(Form.get());
    TTestResponder Responder;
    ASSERT_TRUE(TUser::ChooseItem(Combo, "M:\\"));
    EXPECT_EQ(Combo->RdDrive(), 'M');
    EXPECT_TRUE(Responder.MessageBoxes().empty());
}

TEST_F(ListControls, AWrittenDriveIsChecked)
{
    Drives.MapFolder('M', "missing", false);
    Combo->WrErrPostStyle(epThrowException);
    try {
        Combo->WrDrive('M');
        FAIL() << "no exception";
    } catch (const EInOutError& E) {
        EXPECT_EQ(E.Message, "Err: TYDriverComboBox \nInaccessible volume \"M:\\\" \nfrom component DriveCombo1");
    }
    EXPECT_EQ(Combo->RdDrive(), 'C');
    Combo->WrErrPostStyle(epNone);
    EXPECT_NO_THROW(Combo->WrDrive('M'));
    EXPECT_EQ(Combo->RdDrive(), 'C');
}

TEST_F(ListControls, DirectoryAndFileListsRefuseWhatCannotBeReached)
{
    DirList->SetFileList(FileList);
    const AnsiString Start = DirList->RdDir();
    const struct { std::function<void()> Write; const char* Message; } Cases[] = {
        {[&] { DirList->WrDrive('Q'); }, "Err: TYDirectoryListBox \nInaccessible Drive \"Q\" \nfrom component DirList1"},
        {[&] { FileList->WrDrive('Q'); }, "Err: TYFileListBox \nInaccessible Drive \"Q\" \nfrom component FileList1"},
        {[&] { DirList->WrDir("/no/such/dir"); },
         "Err: TYDirectoryListBox \nInaccessible Directory \"/no/such/dir\" \nfrom component DirList1"},
        {[&] { FileList->WrDir("nothing"); },
         "Err: TYFileListBox \nInaccessible Directory \"nothing\" \nfrom component FileList1"},
    };
    for (const auto& C : Cases) {
        try {
            C.Write();
            ADD_FAILURE() << "no exception: " << C.Message;
        } catch (const EInOutError& E) {
            EXPECT_EQ(E.Message, C.Message);
        }
        EXPECT_EQ(DirList->RdDir(), Start);
        EXPECT_EQ(FileList->RdDir(), Start);
    }
    DirList->WrDir(Folder + "/schedules");
    EXPECT_EQ(FileList->RdDir(), Folder + "/schedules") << "the attached file list follows";
    FileList->WrDir(Folder);
    EXPECT_EQ(DirList->RdDir(), Folder) << "and the directory list follows the file list";
    EXPECT_EQ(FileList->Items()->ToVector(), (std::vector<AnsiString>{"a.vsh", "b.vsh", "readme.txt"}));
}

TEST_F(ListControls, FileItemsAreFourPixelsHigherAndNamesFourPixelsInWithoutGlyphs)
{
    EXPECT_EQ(FileList->ItemLayoutHeight(0), FileList->ItemHeight() + 4);
    TUser::ShowForm(Form.get());
    auto TextStart = [&] {
        TUser::ProcessEvents();
        const QImage Image = FileList->Widget()->grab().toImage();
        const TRect Item = FileList->ItemRect(0);
        EXPECT_EQ(Item.Height(), FileList->ItemHeight() + 4);
        return FirstInk(Image, TRect{Item.Left, Item.Top, Item.Left + 60, Item.Bottom}) - Item.Left;
    };
    FileList->WrShowGlyphs(false);
    const int Plain = TextStart();
    EXPECT_GE(Plain, 4);
    EXPECT_LE(Plain, 6);
    FileList->WrShowGlyphs(true);
    EXPECT_LT(TextStart(), 6) << "the icon, 2 pixels in";
}

TEST_F(ListControls, AScreenshotOfTheFourControls)
{
    Drives.MapFolder('R', "/dev/shm", false);
    Combo->WrItemHeight(16);
    Combo->WrDrive('C');
    DirList->SetFileList(FileList);
    ListBox->SetItemIndex(1);
    FileList->SetItemIndex(0);
    EXPECT_TRUE(SaveScreenshot(Form.get(), "listcontrols.png"));
}
