// The interface language: the language file (VTX7430.INI, else
// VTX7430OEM.INI, in the working folder) with the captions of each
// language, the texts the program holds in Chinese and English, and the two
// menu commands that switch between them.

#include <functional>
#include <memory>
#include <vector>

#include "V7430_p8_src.h"

#include "YVclUtil/Tyinifile.h"
#include "rtl/SysUtils.h"

namespace {

using YVclUtil::TYIniFile;

// The names of day tables 1 .. 12, the design-time captions of the tabs,
// the copy targets and the copy sources.
const char* const DayNames[12] = {"週一",     "週二",     "週三",     "週四",     "週五",     "週六",
                                  "週日",     "特定日一", "特定日二", "特定日三", "特定日四", "特定日五"};

// One caption key of the language file: its default and the controls it
// sets.
struct TCaptionKey {
    AnsiString Key;
    AnsiString Default;
    std::function<void(TForm1& Form, const AnsiString& Text)> Apply;
};

void AddKey(std::vector<TCaptionKey>& Keys, AnsiString Key, AnsiString Default,
            std::function<void(TForm1&, const AnsiString&)> Apply)
{
    Keys.push_back({std::move(Key), std::move(Default), std::move(Apply)});
}

// Keys Prefix<First>.Caption .. Prefix<First + N - 1>.Caption, each the
// caption of control Member[First + i] with the default Defaults[i].
template <class T, std::size_t M>
void AddCaptionRun(std::vector<TCaptionKey>& Keys, const char* Prefix, int First, T* (TForm1::*Member)[M],
                   const std::vector<AnsiString>& Defaults)
{
    for (std::size_t I = 0; I < Defaults.size(); ++I) {
        const int Number = First + static_cast<int>(I);
        AddKey(Keys, Prefix + IntToStr(Number) + ".Caption", Defaults[I],
               [Member, Number](TForm1& Form, const AnsiString& Text) { (Form.*Member)[Number]->SetCaption(Text); });
    }
}

std::vector<AnsiString> DayNameList()
{
    return std::vector<AnsiString>(std::begin(DayNames), std::end(DayNames));
}

// The 77 caption keys in the order in which they are read and applied.
const std::vector<TCaptionKey>& CaptionKeys()
{
    static const std::vector<TCaptionKey> Keys = [] {
        std::vector<TCaptionKey> K;
        AddCaptionRun(K, "SBT", 1, &TForm1::SpeedButton,
                      {"連線", "檢視", "下載", "清除", "複製", "新建", "載入", "存檔", "同步", "離線", "確定", "取消",
                       "檢查", "上一月", "下一月", "不動作日設定", "關閉", "清除"});
        std::vector<AnsiString> Tabs = DayNameList();
        Tabs.push_back("系統設定");
        AddCaptionRun(K, "TAB", 1, &TForm1::TabSheet, Tabs);
        AddKey(K, "SGD.Hint", AnsiString(), [](TForm1& Form, const AnsiString& Text) {
            for (int Day = 1; Day <= DayTableCount; ++Day)
                Form.StringGrid[Day]->SetHint(Text);
        });
        AddCaptionRun(K, "GBX", 1, &TForm1::GroupBox,
                      {"特定日設定", "顯示語言", "其他設定", "複製來源", "複製目的", "下載作息表"});
        AddKey(K, "LBL1-5.Caption", AnsiString(), [](TForm1& Form, const AnsiString& Text) {
            for (int Number = 1; Number <= 5; ++Number)
                Form.Label[Number]->SetCaption(Text);
        });
        AddKey(K, "LBL6-10.Caption", AnsiString(), [](TForm1& Form, const AnsiString& Text) {
            for (int Number = 6; Number <= 10; ++Number)
                Form.Label[Number]->SetCaption(Text);
        });
        AddCaptionRun(K, "LBL", 11, &TForm1::Label, {"系統時區:", "節點位址:", "GPS同步:"});
        AddCaptionRun(K, "LBL", 17, &TForm1::Label, {"不動作日:"});
        AddCaptionRun(K, "CBX", 1, &TForm1::CheckBox,
                      {"啟用特定日一", "啟用特定日二", "啟用特定日三", "啟用特定日四", "啟用特定日五"});
        AddCaptionRun(K, "CBX", 9, &TForm1::CheckBox, DayNameList());
        std::vector<AnsiString> Radios = {"中文", "英文"};
        for (const char* Name : DayNames)
            Radios.push_back(Name);
        Radios.push_back("作息表 A");
        Radios.push_back("作息表 B");
        AddCaptionRun(K, "RBT", 1, &TForm1::RadioButton, Radios);
        return K;
    }();
    return Keys;
}

constexpr int HeadingCount = 16;
constexpr int FirstCaptionEntry = 20;

// Seven grid headings, the month and day of the non-action list, and the
// weekdays Sunday first.
const char* const ChineseHeadings[HeadingCount] = {
    "起始:時", "起始:分", "結束:時", "結束:分", "播放曲目", "輸出通道", "輸出音量", "月",
    "日",      "星期日",  "星期一",  "星期二",  "星期三",   "星期四",   "星期五",   "星期六"};
const char* const EnglishHeadings[HeadingCount] = {
    "Start:Hour", "Start:Minute", "Stop:Hour", "Stop:Minute", "VoiceNo", "Output", "Volume", "Month",
    "Day",        "SUN",          "MON",       "TUE",         "WED",     "THU",    "FRI",    "SAT"};

// The owner text of status panel 4.
const char* const ChineseOwnerText = "ORB";
const char* const EnglishOwnerText = "ORB";

// Runs one read of the language file. A file that cannot be read (one that
// is read-only, or a LANGUAGE that is no number) has its error shown and
// counts as missing for this read, so that the window still comes up whole.
bool ReadLanguageFile(const std::function<void(TYIniFile& Ini)>& Read)
{
    try {
        auto Ini = std::make_unique<TYIniFile>(LanguageFileName);
        Read(*Ini);
        return true;
    } catch (const Exception& E) {
        Application->ShowException(E);
        return false;
    }
}

} // namespace

void TForm1::LookForLanguageFile()
{
    if (FileExists("VTX7430.INI"))
        LanguageFileName = "VTX7430.INI";
    else if (FileExists("VTX7430OEM.INI"))
        LanguageFileName = "VTX7430OEM.INI";
    if (!Trim(LanguageFileName).empty() && !ReadLanguageFile([](TYIniFile& Ini) {
            UiLanguage = static_cast<TLanguageNo>(Ini.ReadInteger("GLOBAL", "LANGUAGE", 1));
        }))
        LanguageFileName.clear();
    if (!Trim(LanguageFileName).empty()) {
        LanguageFileFound = 1;
        // The language menu shows the language the window starts in.
        if (UiLanguage == lno_English) {
            English1->SetChecked(true);
            Chinese1->SetChecked(false);
        }
    } else {
        LanguageFileFound = 0;
        English1->SetEnabled(false);
    }
}

void TForm1::ReadLanguageCaptions()
{
    if (!FileExists(LanguageFileName))
        return;
    const AnsiString Section = "LANG" + IntToStr(static_cast<int>(UiLanguage));
    ReadLanguageFile([&Section](TYIniFile& Ini) {
        const std::vector<TCaptionKey>& Keys = CaptionKeys();
        for (std::size_t I = 0; I < Keys.size(); ++I)
            CaptionTable[FirstCaptionEntry + I] = Ini.ReadString(Section, Keys[I].Key, Keys[I].Default);
    });
}

void TForm1::ApplyLanguage()
{
    ReadLanguageCaptions();
    const bool Chinese = UiLanguage == lno_Chinese;
    if (UiLanguage == lno_Chinese || UiLanguage == lno_English)
        for (int I = 0; I < HeadingCount; ++I)
            CaptionTable[I] = Chinese ? ChineseHeadings[I] : EnglishHeadings[I];

    for (int Day = 1; Day <= DayTableCount; ++Day)
        for (int Field = 0; Field < 7; ++Field)
            StringGrid[Day]->SetCells(EntryColumns[Field], 0, CaptionTable[Field]);
    StringGrid[14]->SetCells(0, 0, CaptionTable[7]);
    StringGrid[14]->SetCells(1, 0, CaptionTable[8]);
    for (int Column = 0; Column < 7; ++Column)
        StringGrid[13]->SetCells(Column, 0, CaptionTable[9 + Column]);

    if (LanguageFileFound == 1) {
        const std::vector<TCaptionKey>& Keys = CaptionKeys();
        for (std::size_t I = 0; I < Keys.size(); ++I)
            Keys[I].Apply(*this, CaptionTable[FirstCaptionEntry + I]);
    }

    int MonthIndex[6] = {};
    for (int Number = 1; Number <= 5; ++Number) {
        MonthIndex[Number] = ComboBox[2 * Number - 1]->ItemIndex();
        ComboBox[2 * Number - 1]->Items()->Clear();
    }
    TStatusPanels* Panels = StatusBar1->Panels();
    Panels->Items(0)->SetText(Chinese ? "通訊埠" : "COM port");
    Panels->Items(2)->SetText(Chinese ? "專案檔名" : "Project");
    const AnsiString FileName = Trim(CurrentScheduleFile);
    Panels->Items(3)->SetText(!FileName.empty() ? FileName : AnsiString(Chinese ? "無" : "none"));
    Panels->Items(4)->SetText(Chinese ? ChineseOwnerText : EnglishOwnerText);
    for (int Number = 1; Number <= 5; ++Number) {
        TStrings* Items = ComboBox[2 * Number - 1]->Items();
        for (int Month = 1; Month <= 12; ++Month)
            Items->Add(Chinese ? IntToStr(Month) : MonthNames[Month]);
        ComboBox[2 * Number - 1]->SetItemIndex(MonthIndex[Number]);
    }
    ShowPortStatus();
}

void TForm1::English1Click(TObject*)
{
    UiLanguage = lno_English;
    ApplyLanguage();
}

void TForm1::Chinese1Click(TObject*)
{
    UiLanguage = lno_Chinese;
    ApplyLanguage();
}
