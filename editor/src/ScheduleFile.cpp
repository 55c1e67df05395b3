// The schedule file (*.vsh): New, Load and Save, from the File menu and the
// toolbar. The file is INI text through TYIniFile, one object a command.

#include <memory>

#include "V7430_p8_src.h"

#include "YVclUtil/Tyinifile.h"
#include "rtl/SysUtils.h"

namespace {

using YVclUtil::TYIniFile;

const char* const ScheduleFilter = "VTX-7430 schedule file (*.vsh)|*.vsh";

// The sections of day tables 1 .. 12.
const char* const DaySections[DayTableCount + 1] = {"",    "MON", "TUE", "WED", "THU", "FRI", "SAT",
                                                    "SUN", "SP1", "SP2", "SP3", "SP4", "SP5"};

// The key prefixes of the seven entry fields, in field order.
const char* const EntryKeys[7] = {"SCH_SH_", "SCH_SM_", "SCH_EH_", "SCH_EM_", "SCH_VC_", "SCH_OP_", "SCH_VV_"};

bool Blank(const AnsiString& Text)
{
    return Trim(Text).empty();
}

AnsiString NoFileText()
{
    return UiLanguage == lno_Chinese ? "無" : "none";
}

// The hourglass over the program while it lives, the arrow again after it,
// also when a read fails half-way.
class TBusyCursor {
public:
    TBusyCursor() { Screen->SetCursor(crHourGlass); }
    ~TBusyCursor() { Screen->SetCursor(crArrow); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

} // namespace

void TForm1::New1Click(TObject*)
{
    NewRefused = 0;
    const bool Chinese = UiLanguage == lno_Chinese;
    const int Answer = Application->MessageBox(
        Chinese ? "請注意!!\n\n目前工作表格中的資料將被覆蓋!\n\n確定要執行這個動作?\n" : "Attention!!\n\nData overwrite?\n",
        Chinese ? "資料覆蓋警告" : "Overwrite data", MB_YESNO);
    if (Answer != IDYES) {
        NewRefused = 1;
        return;
    }
    for (int Day = 1; Day <= DayTableCount; ++Day)
        for (int Row = 1; Row <= DayTableRows; ++Row)
            for (int Column : EntryColumns)
                StringGrid[Day]->SetCells(Column, Row, AnsiString());
    for (int Number = 1; Number <= 5; ++Number) {
        CheckBox[Number]->SetChecked(false);
        CheckBoxNClick(Number);
    }
    StatusBar1->Panels()->Items(3)->SetText(NoFileText());
    ScheduleUntitled = 1;
    CurrentScheduleFile.clear();
    ShowPortStatus();
}

void TForm1::Load1Click(TObject*)
{
    New1Click(this);
    if (NewRefused == 1)
        return;
    OpenDialog1->SetFilter(ScheduleFilter);
    OpenDialog1->SetDefaultExt(AnsiString());
    if (!OpenDialog1->Execute())
        return;
    const AnsiString Name = OpenDialog1->FileName();
    auto Ini = std::make_unique<TYIniFile>(Name);
    {
        TBusyCursor Busy;
        const int Language = Ini->ReadInteger("GLOBAL", "LANGUAGE", 1);
        if (Language == 1)
            RadioButton[1]->SetChecked(true);
        else if (Language == 2)
            RadioButton[2]->SetChecked(true);
        ComboBox[14]->SetItemIndex(Ini->ReadInteger("GLOBAL", "GPS_UPDATE_H", 0));
        ComboBox[15]->SetItemIndex(Ini->ReadInteger("GLOBAL", "GPS_UPDATE_M", 0));
        ComboBox[12]->SetItemIndex(Ini->ReadInteger("GLOBAL", "GPS_TIMEZONE", 20));
        ComboBox[13]->SetItemIndex(Ini->ReadInteger("GLOBAL", "NODEID", 0));
        for (int Number = 1; Number <= 5; ++Number) {
            const AnsiString Key = "SPDATE" + IntToStr(Number);
            const bool Enabled = Ini->ReadInteger("GLOBAL", Key, 0) == 1;
            CheckBox[Number]->SetChecked(Enabled);
            CheckBoxNClick(Number);
            if (Enabled) {
                ComboBox[2 * Number - 1]->SetItemIndex(Ini->ReadInteger("GLOBAL", Key + "_M", 0));
                ComboBox[2 * Number]->SetItemIndex(Ini->ReadInteger("GLOBAL", Key + "_D", 0));
            }
        }

        TStringGrid* List = StringGrid[14];
        for (int Row = 1; Row < List->RowCount(); ++Row) {
            List->SetCells(0, Row, Ini->ReadString("UNACT", "MONTH_" + IntToStr(Row), AnsiString()));
            List->SetCells(1, Row, Ini->ReadString("UNACT", "DAY_" + IntToStr(Row), AnsiString()));
        }

        for (int Day = 1; Day <= DayTableCount; ++Day) {
            TStringGrid* Grid = StringGrid[Day];
            for (int Row = 1; Row <= DayTableRows; ++Row) {
                const AnsiString RowText = IntToStr(Row);
                const AnsiString StartHour = Ini->ReadString(DaySections[Day], EntryKeys[0] + RowText, AnsiString());
                if (Blank(StartHour))
                    continue;
                Grid->SetCells(EntryColumns[0], Row, StartHour);
                for (int Field = 1; Field < 7; ++Field)
                    Grid->SetCells(EntryColumns[Field], Row,
                                   Ini->ReadString(DaySections[Day], EntryKeys[Field] + RowText, AnsiString()));
            }
        }
    }
    Ini.reset();
    StatusBar1->Panels()->Items(3)->SetText(Name);
    ScheduleUntitled = 0;
    CurrentScheduleFile = Name;
}

void TForm1::Save1Click(TObject*)
{
    SaveDialog1->SetDefaultExt("vsh");
    SaveDialog1->SetFilter(ScheduleFilter);
    if (!SaveDialog1->Execute())
        return;
    const AnsiString Name = SaveDialog1->FileName();
    if (FileExists(Name) &&
        Application->MessageBox("File exist!!\n\nOverwrite?\n", "Overwrite file", MB_YESNO) != IDYES)
        return;
    auto Ini = std::make_unique<TYIniFile>(Name);
    for (const char* Section : {"GLOBAL", "UNACT", "MON", "TUE", "WED", "THU", "FRI", "SAT", "SUN", "SP1", "SP2",
                                "SP3", "SP4", "SP5", "PRJMEMO"})
        Ini->EraseSection(Section);
    {
        TBusyCursor Busy;
        Ini->WriteString("GLOBAL", "VERSION", "V7430_1.0");
        if (RadioButton[1]->Checked())
            Ini->WriteInteger("GLOBAL", "LANGUAGE", 1);
        if (RadioButton[2]->Checked())
            Ini->WriteInteger("GLOBAL", "LANGUAGE", 2);
        Ini->WriteInteger("GLOBAL", "GPS_UPDATE_H", ComboBox[14]->ItemIndex());
        Ini->WriteInteger("GLOBAL", "GPS_UPDATE_M", ComboBox[15]->ItemIndex());
        Ini->WriteInteger("GLOBAL", "GPS_TIMEZONE", ComboBox[12]->ItemIndex());
        Ini->WriteInteger("GLOBAL", "NODEID", ComboBox[13]->ItemIndex());
        for (int Number = 1; Number <= 5; ++Number) {
            const AnsiString Key = "SPDATE" + IntToStr(Number);
            const bool Enabled = CheckBox[Number]->Checked();
            Ini->WriteInteger("GLOBAL", Key, Enabled ? 1 : 0);
            if (Enabled) {
                Ini->WriteInteger("GLOBAL", Key + "_M", ComboBox[2 * Number - 1]->ItemIndex());
                Ini->WriteInteger("GLOBAL", Key + "_D", ComboBox[2 * Number]->ItemIndex());
            }
        }

        TStringGrid* List = StringGrid[14];
        int Index = 1;
        for (int Row = 1; Row < List->RowCount(); ++Row) {
            if (Blank(List->Cells(0, Row)))
                continue;
            Ini->WriteString("UNACT", "MONTH_" + IntToStr(Index), Trim(List->Cells(0, Row)));
            Ini->WriteString("UNACT", "DAY_" + IntToStr(Index), Trim(List->Cells(1, Row)));
            ++Index;
        }

        for (int Day = 1; Day <= DayTableCount; ++Day) {
            TStringGrid* Grid = StringGrid[Day];
            for (int Row = 1; Row <= DayTableRows; ++Row) {
                if (Blank(Grid->Cells(EntryColumns[0], Row)))
                    continue;
                const AnsiString RowText = IntToStr(Row);
                for (int Field = 0; Field < 7; ++Field)
                    Ini->WriteString(DaySections[Day], EntryKeys[Field] + RowText,
                                     Trim(Grid->Cells(EntryColumns[Field], Row)));
            }
        }
    }
    // A file that cannot be written has shown the INI file's error box; the
    // schedule then is not saved, so it keeps its name and state. The
    // changes are dropped rather than tried again when the object goes.
    const bool Written = Ini->UpdateFile();
    if (!Written)
        Ini->Modified = 0;
    Ini.reset();
    if (!Written)
        return;
    StatusBar1->Panels()->Items(3)->SetText(Name);
    ScheduleUntitled = 0;
    CurrentScheduleFile = Name;
}

void TForm1::SpeedButton6Click(TObject*)
{
    New1Click(this);
}

void TForm1::SpeedButton7Click(TObject*)
{
    Load1Click(this);
}

void TForm1::SpeedButton8Click(TObject*)
{
    Save1Click(this);
}
